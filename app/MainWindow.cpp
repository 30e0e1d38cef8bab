// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its creation, layout, commands and menus, the canvas size
// and its centring, the show/hide toggles, Reverse all, help, hints and the
// close question.
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QUndoStack>
#include <QVBoxLayout>

#include "app/HelpDialog.h"
#include "app/HelpFile.h"
#include "app/Messages.h"
#include "app/RavelonU1.h"
#include "app/RavelonU2.h"
#include "app/RavelonU3.h"
#include "app/ScreenCursor.h"

// The compiled-in pictures, referenced so that the linker keeps them.
static void InitResources() { Q_INIT_RESOURCE(ravelon); }

namespace ravelon {

namespace {

constexpr int DefaultCanvasWidth = 400;
constexpr int DefaultCanvasHeight = 300;

// One row of the command table.
struct TActionRow {
    QAction* TForm1::* Action;
    const char* Name;
    const char* Caption;
    const char* Hint;  // nullptr: none
    QKeySequence Key;
    int Image;  // -1: none
    bool Checkable;
    bool Checked;
    void (TForm1::*Execute)();  // nullptr: an invariant command, told apart by its tag
    int Tag = -1;               // the invariant's kind (TInvariantKind), or -1
};

constexpr int Tag(TInvariantKind Kind) { return static_cast<int>(Kind); }

}  // namespace

TForm1::TForm1(QWidget* Parent) : QMainWindow(Parent), Printer(std::make_unique<QPrinter>()) {
    InitResources();
    RegisterScreenCursors();
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック")));
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
    for (int i = 0; i < 8; ++i) ImageList1.emplace_back(QStringLiteral(":/images/tool%1.xpm").arg(i));
    setWindowIcon(QIcon(QStringLiteral(":/icon/ravelon-32.xpm")));

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreatePanes();

    resize(500, 550);
    setMinimumSize(300, 300);
    SetCanvasSize(DefaultCanvasWidth, DefaultCanvasHeight);
    Image2->SetPictureSize(0, 0);

    FKnotName = QStringLiteral("NewKnot");
    SetCaption();
    FFileName.clear();

    FMaskBitmap = QImage(18, 18, QImage::Format_RGB32);
    FMaskBitmap.fill(Qt::white);
    {
        QPainter mask(&FMaskBitmap);
        PaintCrossMask(mask);
    }
    setAcceptDrops(false);

    UndoStack = new QUndoStack(this);
    Form2 = new TForm2(this);
    Form3 = new TForm3(this);
}

TForm1::~TForm1() = default;

void TForm1::CreateActions() {
    const TActionRow rows[] = {
        {&TForm1::NewMakeAction, "NewMakeAction", "新規作成(&N)", "新しい結び目を作成するため、キャンバスを消去します。",
         QKeySequence(Qt::CTRL | Qt::Key_N), 0, false, false, &TForm1::NewMakeActionExecute},
        {&TForm1::OpenAction, "OpenAction", "ファイルを開く(&O)...", "ファイルから結び目データを開きます。",
         QKeySequence(Qt::CTRL | Qt::Key_O), 1, false, false, &TForm1::OpenActionExecute},
        {&TForm1::SaveAction, "SaveAction", "上書き保存(&S)", "結び目データをファイルに保存します。",
         QKeySequence(Qt::CTRL | Qt::Key_S), 2, false, false, &TForm1::SaveActionExecute},
        {&TForm1::SaveAsAction, "SaveAsAction", "名前を付けて保存(&A)...", "結び目に名前を付けてファイルに保存します。", {}, -1,
         false, false, &TForm1::SaveAsActionExecute},
        {&TForm1::SaveAsBitmapAction, "SaveAsBitmapAction", "ビットマップとして保存(&B)...",
         "キャンバスの画像をビットマップとして保存します。", {}, -1, false, false, &TForm1::SaveAsBitmapActionExecute},
        {&TForm1::PrinterSetupAction, "PrinterSetupAction", "プリンタの設定(&S)...", "プリンタの設定を行います。", {}, -1, false,
         false, &TForm1::PrinterSetupActionExecute},
        {&TForm1::PrintAction, "PrintAction", "印刷(&P)...", "キャンバスの画像を印刷します。", QKeySequence(Qt::CTRL | Qt::Key_P), 3,
         false, false, &TForm1::PrintActionExecute},
        {&TForm1::ExitAction, "ExitAction", "終了(&X)", "このアプリケーションを終了します。", {}, -1, false, false, &TForm1::ExitActionExecute},
        {&TForm1::CalcAction, "CalcAction", "計算する(&C)", "結び目から多項式を計算します。", {}, 4, false, false, &TForm1::CalcActionExecute},
        {&TForm1::CalcBlacketAction, "CalcBlacketAction", "ブラケット多項式(&B)", "結び目からブラケット多項式を計算します。", {}, -1,
         false, false, nullptr, Tag(TInvariantKind::Bracket)},
        {&TForm1::CalcTwistAction, "CalcTwistAction", "ねじり数(&T)", "結び目からねじり数を計算します。", {}, -1, false, false, nullptr,
         Tag(TInvariantKind::Twist)},
        {&TForm1::CalcJonesAction, "CalcJonesAction", "ジョーンズ多項式(&J)", "結び目からジョーンズ多項式を計算します。", {}, -1,
         false, false, nullptr, Tag(TInvariantKind::Jones)},
        {&TForm1::ReverseAllAction, "ReverseAllAction", "すべての上下を入れ替える(&R)", "すべての交点の上下を入れ替えます。", {}, -1,
         false, false, &TForm1::ReverseAllActionExecute},
        {&TForm1::SetCanvasAction, "SetCanvasAction", "キャンバスの設定(&S)...", "キャンバスの大きさを設定します。", {}, 6, false,
         false, &TForm1::SetCanvasActionExecute},
        {&TForm1::ShowToolBarAction, "ShowToolBarAction", "ツールバーの表示(&T)", "ツールバーの表示・非表示を切り替えます。", {}, -1,
         true, true, &TForm1::ShowToolBarActionExecute},
        {&TForm1::ShowStatusBarAction, "ShowStatusBarAction", "ステータスバーの表示(&S)",
         "ステータスバーの表示・非表示を切り替えます。", {}, -1, true, true, &TForm1::ShowStatusBarActionExecute},
        {&TForm1::ShowOutputAction, "ShowOutputAction", "アウトプットの表示(&O)", nullptr, {}, -1, true, true, &TForm1::ShowOutputActionExecute},
        {&TForm1::ShowDirectionAction, "ShowDirectionAction", "結び目の向きの表示(&D)",
         "結び目の向きの表示・非表示を切り替えます。", {}, 5, true, false, &TForm1::ShowDirectionActionExecute},
        {&TForm1::SearchTopicAction, "SearchTopicAction", "トピックの検索(&H)", "ヘルプファイルを参照します。",
         QKeySequence(Qt::Key_F1), 7, false, false, &TForm1::SearchTopicActionExecute},
        {&TForm1::AboutAction, "AboutAction", "バージョン情報(&A)...", "バージョン情報を表示します。", {}, -1, false, false, &TForm1::AboutActionExecute},
        {&TForm1::UndoAction, "UndoAction", "元に戻す(&U)", "直前の変更を取り消します。", QKeySequence(QKeySequence::Undo), -1, false,
         false, &TForm1::UndoActionExecute},
        {&TForm1::RedoAction, "RedoAction", "やり直し(&R)", "取り消した変更をやり直します。", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
         -1, false, false, &TForm1::RedoActionExecute},
        {&TForm1::OpenTableAction, "OpenTableAction", "表から開く(&O)...", "結び目の表の結び目・絡み目を新しい図として開きます。", {},
         -1, false, false, &TForm1::OpenTableActionExecute},
        {&TForm1::NewFromPdAction, "NewFromPdAction", "PD コードから作成(&N)...", "PD コードから新しい図を作成します。", {}, -1, false,
         false, &TForm1::NewFromPdActionExecute},
        {&TForm1::OpenPLinkAction, "OpenPLinkAction", "PLink ファイルを開く(&L)...",
         "PLink のリンク射影ファイルを新しい図として開きます。", {}, -1, false, false, &TForm1::OpenPLinkActionExecute},
        {&TForm1::ExportPLinkAction, "ExportPLinkAction", "PLink ファイルに書き出す(&W)...",
         "結び目を PLink のリンク射影ファイルに書き出します。", {}, -1, false, false, &TForm1::ExportPLinkActionExecute},
        {&TForm1::IdentifyAction, "IdentifyAction", "結び目の同定(&I)", "結び目の表から結び目の名前を探します。", {}, -1, false, false,
         nullptr, Tag(TInvariantKind::Identify)},
        {&TForm1::CalcAlexanderAction, "CalcAlexanderAction", "アレキサンダー多項式(&A)", "結び目からアレキサンダー多項式を計算します。",
         {}, -1, false, false, nullptr, Tag(TInvariantKind::Alexander)},
        {&TForm1::CalcDeterminantAction, "CalcDeterminantAction", "行列式(&D)", "結び目から行列式を計算します。", {}, -1, false, false,
         nullptr, Tag(TInvariantKind::Determinant)},
        {&TForm1::CalcSignatureAction, "CalcSignatureAction", "符号数(&S)", "結び目から符号数を計算します。", {}, -1, false, false,
         nullptr, Tag(TInvariantKind::Signature)},
        {&TForm1::CopyPdAction, "CopyPdAction", "PD コードをコピー(&P)", "結び目の PD コードをクリップボードにコピーします。", {}, -1,
         false, false, &TForm1::CopyPdActionExecute},
        {&TForm1::CopyResultAction, "CopyResultAction", "結果をコピー(&C)",
         "アウトプットの結果をテキストと LaTeX でクリップボードにコピーします。", {}, -1, false, false,
         &TForm1::CopyResultActionExecute},
        {&TForm1::ExportAction, "ExportAction", "図を書き出す(&E)...",
         "キャンバスの図を SVG、PDF、PNG、TikZ のファイルに書き出します。", {}, -1, false, false, &TForm1::ExportActionExecute},
    };
    for (const TActionRow& row : rows) {
        QAction* const a = new QAction(QString::fromUtf8(row.Caption), this);
        a->setObjectName(QString::fromLatin1(row.Name));
        if (row.Hint != nullptr) a->setStatusTip(QString::fromUtf8(row.Hint));
        a->setShortcut(row.Key);
        if (row.Image >= 0) a->setIcon(ImageList1[static_cast<std::size_t>(row.Image)]);
        a->setCheckable(row.Checkable);
        a->setChecked(row.Checked);
        a->setIconVisibleInMenu(true);
        addAction(a);  // shortcuts work wherever the focus is in the window
        if (row.Execute != nullptr) {
            connect(a, &QAction::triggered, this, [this, execute = row.Execute] { RunCommand([&] { (this->*execute)(); }); });
        } else {
            a->setData(row.Tag);
            connect(a, &QAction::triggered, this, [this, a] { RunCommand([&] { CalcPolyActionExecute(a); }); });
        }
        this->*row.Action = a;
    }
    RedoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
}

void TForm1::RunCommand(const std::function<void()>& Handler) {
    // No command starts while a computation runs: its commands are disabled,
    // and this holds for a trigger that comes some other way.
    if (Busy()) return;
    QString message;
    try {
        Handler();
        return;
    } catch (const TCancelled&) {
        return;  // the status bar says so
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("メモリが不足しています");
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    }
    if (ScreenCursor() == crHourGlass) SetScreenCursor(crDefault);
    ShowErrorReport(this, message);
}

// A menu item bound to Action: it shows the action's caption, image, check
// mark, hint, shortcut and whether it is enabled, and choosing it runs the
// action. The shortcut is the action's alone: the item shows it after a tab,
// as menus show theirs, and holds none of its own, so that a key never has
// two owners.
static QAction* BindMenuItem(QMenu* Menu, QAction* Action, const char* Name) {
    QAction* const item = new QAction(Menu);
    item->setObjectName(QString::fromLatin1(Name));
    const auto follow = [item, Action] {
        const QString key = Action->shortcut().toString(QKeySequence::NativeText);
        item->setText(key.isEmpty() ? Action->text() : Action->text() + u'\t' + key);
        item->setIcon(Action->icon());
        item->setStatusTip(Action->statusTip());
        item->setCheckable(Action->isCheckable());
        item->setChecked(Action->isChecked());
        item->setEnabled(Action->isEnabled());
    };
    follow();
    QObject::connect(Action, &QAction::changed, item, follow);
    QObject::connect(item, &QAction::triggered, Action, [item, Action] {
        item->setChecked(Action->isChecked());  // the action decides the mark
        Action->trigger();
    });
    Menu->addAction(item);
    return item;
}

void TForm1::CreateMenus() {
    FileMenu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    NewMakeMenu = BindMenuItem(FileMenu, NewMakeAction, "NewMakeMenu");
    OpenMenu = BindMenuItem(FileMenu, OpenAction, "OpenMenu");
    SaveMenu = BindMenuItem(FileMenu, SaveAction, "SaveMenu");
    SaveAsMenu = BindMenuItem(FileMenu, SaveAsAction, "SaveAsMenu");
    FileMenu->addSeparator();
    SabeAsGraphicMenu = BindMenuItem(FileMenu, SaveAsBitmapAction, "SabeAsGraphicMenu");
    FileMenu->addSeparator();
    PrinterSetupMenu = BindMenuItem(FileMenu, PrinterSetupAction, "PrinterSetupMenu");
    PrintMenu = BindMenuItem(FileMenu, PrintAction, "PrintMenu");
    FileMenu->addSeparator();
    ExitMenu = BindMenuItem(FileMenu, ExitAction, "ExitMenu");

    EditMenu = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    CalcBlancketMenu = BindMenuItem(EditMenu, CalcBlacketAction, "CalcBlancketMenu");
    CalcTwistMenu = BindMenuItem(EditMenu, CalcTwistAction, "CalcTwistMenu");
    CalcJonesMenu = BindMenuItem(EditMenu, CalcJonesAction, "CalcJonesMenu");
    EditMenu->addSeparator();
    ReverseAllMenu = BindMenuItem(EditMenu, ReverseAllAction, "ReverseAllMenu");
    EditMenu->addSeparator();
    SetCanvasMenu = BindMenuItem(EditMenu, SetCanvasAction, "SetCanvasMenu");

    ShowMenu = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    ShowMenu->setObjectName(QStringLiteral("ShowMenu"));
    ShowToolBarMenu = BindMenuItem(ShowMenu, ShowToolBarAction, "ShowToolBarMenu");
    ShowStatusBarMenu = BindMenuItem(ShowMenu, ShowStatusBarAction, "ShowStatusBarMenu");
    ShowOutputMenu = BindMenuItem(ShowMenu, ShowOutputAction, "ShowOutputMenu");
    ShowMenu->addSeparator();
    ShowDirectionMenu = BindMenuItem(ShowMenu, ShowDirectionAction, "ShowDirectionMenu");

    ToolMenu = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    ToolMenu->setObjectName(QStringLiteral("ToolMenu"));
    UndoMenu = BindMenuItem(ToolMenu, UndoAction, "UndoMenu");
    RedoMenu = BindMenuItem(ToolMenu, RedoAction, "RedoMenu");
    ToolMenu->addSeparator();
    OpenTableMenu = BindMenuItem(ToolMenu, OpenTableAction, "OpenTableMenu");
    NewFromPdMenu = BindMenuItem(ToolMenu, NewFromPdAction, "NewFromPdMenu");
    OpenPLinkMenu = BindMenuItem(ToolMenu, OpenPLinkAction, "OpenPLinkMenu");
    ExportPLinkMenu = BindMenuItem(ToolMenu, ExportPLinkAction, "ExportPLinkMenu");
    ToolMenu->addSeparator();
    IdentifyMenu = BindMenuItem(ToolMenu, IdentifyAction, "IdentifyMenu");
    ToolMenu->addSeparator();
    CalcAlexanderMenu = BindMenuItem(ToolMenu, CalcAlexanderAction, "CalcAlexanderMenu");
    CalcDeterminantMenu = BindMenuItem(ToolMenu, CalcDeterminantAction, "CalcDeterminantMenu");
    CalcSignatureMenu = BindMenuItem(ToolMenu, CalcSignatureAction, "CalcSignatureMenu");
    ToolMenu->addSeparator();
    CopyPdMenu = BindMenuItem(ToolMenu, CopyPdAction, "CopyPdMenu");
    CopyResultMenu = BindMenuItem(ToolMenu, CopyResultAction, "CopyResultMenu");
    ToolMenu->addSeparator();
    ExportMenu = BindMenuItem(ToolMenu, ExportAction, "ExportMenu");

    HelpMenu = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
    SearchTopicMenu = BindMenuItem(HelpMenu, SearchTopicAction, "SearchTopicMenu");
    HelpMenu->addSeparator();
    AboutMenu = BindMenuItem(HelpMenu, AboutAction, "AboutMenu");

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    for (QMenu* m : {FileMenu, EditMenu, ShowMenu, ToolMenu, HelpMenu, PopupMenu1}) m->installEventFilter(this);
    N1 = BindMenuItem(PopupMenu1, CalcBlacketAction, "N1");
    T1 = BindMenuItem(PopupMenu1, CalcTwistAction, "T1");
    J1 = BindMenuItem(PopupMenu1, CalcJonesAction, "J1");
}

void TForm1::CreateToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setFixedHeight(29);
    ToolBar1->setContentsMargins(1, 1, 1, 1);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    const auto button = [this](QAction* a) {
        ToolBar1->addAction(a);
        auto* const b = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(a));
        b->setFixedHeight(23);
        b->setAutoRaise(true);
        b->installEventFilter(this);  // no pop-up tool tips
        return b;
    };
    ToolButton1 = button(NewMakeAction);
    ToolButton2 = button(OpenAction);
    ToolButton3 = button(SaveAction);
    ToolBar1->addSeparator();
    ToolButton5 = button(PrintAction);
    ToolBar1->addSeparator();
    ToolButton12 = button(CalcAction);
    ToolButton12->setMenu(PopupMenu1);
    ToolButton12->setPopupMode(QToolButton::InstantPopup);
    ToolBar1->addSeparator();
    ToolButton11 = button(SetCanvasAction);

    SizePanel = new QLabel(ToolBar1);
    SizePanel->setObjectName(QStringLiteral("SizePanel"));
    SizePanel->setFixedWidth(77);
    SizePanel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ToolBar1->addWidget(SizePanel);
}

void TForm1::CreateStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(20);
    StatusBar1->setSizeGripEnabled(true);
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setFixedWidth(70);
    StatusPanel0->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusPanel1->setMinimumWidth(1);
    StatusBar1->addWidget(StatusPanel0, 0);
    StatusBar1->addWidget(StatusPanel1, 1);
    ProgressBar1 = new QProgressBar(StatusBar1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setFixedWidth(120);
    ProgressBar1->setMaximumHeight(16);
    ProgressBar1->hide();
    CancelButton = new QToolButton(StatusBar1);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setText(QStringLiteral("中止"));
    CancelButton->setMaximumHeight(18);
    CancelButton->installEventFilter(this);  // no pop-up tool tips
    CancelButton->hide();
    connect(CancelButton, &QToolButton::clicked, this, &TForm1::CancelButtonClick);
    StatusBar1->addPermanentWidget(ProgressBar1);
    StatusBar1->addPermanentWidget(CancelButton);
    setStatusBar(StatusBar1);
}

void TForm1::CreatePanes() {
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* const layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Splitter1 = new QSplitter(Qt::Vertical, Panel2);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setOpaqueResize(true);  // the output pane follows the drag live
    Splitter1->setChildrenCollapsible(false);
    layout->addWidget(Splitter1);

    ScrollBox1 = new QScrollArea(Splitter1);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ScrollBox1->setLineWidth(2);
    ScrollBox1->setWidgetResizable(false);
    QPalette workspace = ScrollBox1->palette();
    workspace.setColor(QPalette::Window, QColor(171, 171, 171));
    CanvasHost = new QWidget;
    CanvasHost->setAutoFillBackground(true);
    CanvasHost->setPalette(workspace);
    ScrollBox1->viewport()->setAutoFillBackground(true);
    ScrollBox1->viewport()->setPalette(workspace);
    Panel1 = new QWidget(CanvasHost);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setAutoFillBackground(true);
    Panel1->setPalette(white);
    Image1 = new TImageControl(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    ScrollBox1->setWidget(CanvasHost);
    ScrollBox1->installEventFilter(this);

    ScrollBox2 = new QScrollArea(Splitter1);
    ScrollBox2->setObjectName(QStringLiteral("ScrollBox2"));
    ScrollBox2->setMinimumHeight(60);
    ScrollBox2->setWidgetResizable(false);
    ScrollBox2->setBackgroundRole(QPalette::Base);
    Image2 = new TImageControl;
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setMouseTracking(false);
    ScrollBox2->setWidget(Image2);
    ScrollBox2->viewport()->installEventFilter(this);

    Splitter1->addWidget(ScrollBox1);
    Splitter1->addWidget(ScrollBox2);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({400, 76});
    setCentralWidget(Panel2);

    connect(Image1, &TImageControl::MouseMove, this, &TForm1::Image1MouseMove);
    connect(Image1, &TImageControl::MouseDown, this, &TForm1::Image1MouseDown);
    connect(Image1, &TImageControl::Click, this, &TForm1::Image1Click);
    connect(Image1, &TImageControl::DblClick, this, &TForm1::Image1DblClick);
    connect(Image1, &TImageControl::MouseUp, this, &TForm1::Image1MouseUp);
}

void TForm1::SetCaption() { setWindowTitle(QStringLiteral("%1 - [%2]").arg(QStringLiteral("Ravelon"), FKnotName)); }

void TForm1::SetCanvasSize(int Width, int Height) {
    Panel1->setFixedSize(std::max(Width, 0), std::max(Height, 0));
    Image1->move(0, 0);
    Image1->SetPictureSize(Panel1->width(), Panel1->height());
    SizePanel->setText(QStringLiteral(" %1×%2").arg(Panel1->width()).arg(Panel1->height()));
    ScrollBox1Resize();
    // A canvas of a new size is shown from its top-left corner.
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
}

int TForm1::CanvasWidth() const { return Panel1->width(); }
int TForm1::CanvasHeight() const { return Panel1->height(); }

void TForm1::ClearCanvas(QPainter& Canvas) { Canvas.fillRect(Image1->rect(), Qt::white); }

void TForm1::ScrollBox1Resize() {
    // Centred in the view; a canvas larger than the view starts at the view's
    // origin, so that scrolling reaches all of it.
    const int border = 2 * ScrollBox1->frameWidth();
    const int top = std::max((ScrollBox1->height() - border - Panel1->height()) / 2, 0);
    const int left = std::max((ScrollBox1->width() - border - Panel1->width()) / 2, 0);
    Panel1->move(left, top);
    const QSize view = ScrollBox1->maximumViewportSize();
    CanvasHost->resize(std::max(view.width(), left + Panel1->width()), std::max(view.height(), top + Panel1->height()));
}

void TForm1::ShowHint(const QString& Text) { StatusPanel1->setText(Text); }

void TForm1::ApplicationHint(const QString& Hint) { ShowHint(Hint); }

bool TForm1::event(QEvent* Event) {
    // Hints of menu items and tool buttons go to status panel 1 only, which
    // keeps the progress text while busy.
    if (Event->type() == QEvent::StatusTip) {
        if (!Busy()) ApplicationHint(static_cast<QStatusTipEvent*>(Event)->tip());
        return true;
    }
    return QMainWindow::event(Event);
}

bool TForm1::eventFilter(QObject* Watched, QEvent* Event) {
    // While busy this filter sees the events of the whole application.
    if (Busy()) {
        if (BusyEventFilter(Watched, Event)) return true;
        if (Event->type() == QEvent::StatusTip) return true;
    }
    if (Event->type() == QEvent::ToolTip) return true;
    // A pop-up menu is a window of its own: its hints are caught here.
    if (Event->type() == QEvent::StatusTip) {
        ApplicationHint(static_cast<QStatusTipEvent*>(Event)->tip());
        return true;
    }
    if (Watched == ScrollBox1 && Event->type() == QEvent::Resize) ScrollBox1Resize();
    if (ScrollBox2 != nullptr && Watched == ScrollBox2->viewport() && Event->type() == QEvent::Resize) OutputPaneResized();
    return QMainWindow::eventFilter(Watched, Event);
}

void TForm1::showEvent(QShowEvent* Event) {
    QMainWindow::showEvent(Event);
    if (FShown) return;
    FShown = true;
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    FormShow();
}

bool TForm1::AskToQuit() { return AskConfirmation(this, QStringLiteral("Ravelon を終了してよろしいですか？")); }

void TForm1::closeEvent(QCloseEvent* Event) {
    if (FQuitting) {
        Event->accept();
    } else if (Busy()) {
        CloseWhileBusy(Event);
    } else if (AskToQuit()) {
        Event->accept();
    } else {
        Event->ignore();
    }
}

void TForm1::ExitActionExecute() { close(); }

void TForm1::CalcActionExecute() {}

void TForm1::ReverseAllActionExecute() {
    ChangeDiagram(false, [this] { FDraw.ReverseAll(); });
    RedrawCanvas();
}

void TForm1::ShowToolBarActionExecute() { ToolBar1->setVisible(ShowToolBarAction->isChecked()); }

void TForm1::ShowStatusBarActionExecute() { StatusBar1->setVisible(ShowStatusBarAction->isChecked()); }

void TForm1::ShowOutputActionExecute() {
    // Hiding the pane hides the splitter's handle with it.
    ScrollBox2->setVisible(ShowOutputAction->isChecked());
}

void TForm1::ShowDirectionActionExecute() {
    FShowDirection = ShowDirectionAction->isChecked();
    RedrawCanvas();
}

void TForm1::SearchTopicActionExecute() {
    std::vector<THelpTopic> topics = LoadHelpFile(FindHelpFile());
    if (HelpDialog == nullptr) HelpDialog = new THelpDialog(this);
    HelpDialog->SetTopics(std::move(topics));
    HelpDialog->show();
    HelpDialog->raise();
    HelpDialog->activateWindow();
}

void TForm1::SetCanvasActionExecute() {
    ChangeDiagram(false, [this] { Form2->Execute(); });
}

void TForm1::AboutActionExecute() { Form3->Execute(); }

}  // namespace ravelon
