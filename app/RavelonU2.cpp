// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas size dialog: its controls, the key preview and the fields' key
// filter, and the canvas settings command that runs it.
#include "app/RavelonU2.h"

#include <QKeyEvent>
#include <limits>

#include "app/DialogWindow.h"
#include "app/Messages.h"
#include "app/RavelonU1.h"

namespace ravelon {

namespace {

// A size field of at most three characters. Text comes in only through the
// key filter or a paste from the context menu: no input method and no drops.
QLineEdit* PlaceSizeEdit(QWidget* Parent, const QString& Name, int Left, int Top) {
    auto* const edit = new QLineEdit(Parent);
    edit->setObjectName(Name);
    edit->setGeometry(Left, Top, 86, 20);
    edit->setMaxLength(3);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setAcceptDrops(false);
    return edit;
}

// A button that is never the default button.
QPushButton* PlaceButton(QWidget* Parent, const QString& Name, const QString& Caption, int Top) {
    auto* const button = new QPushButton(Caption, Parent);
    button->setObjectName(Name);
    button->setGeometry(245, Top, 81, 21);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace

TForm2::TForm2(TForm1* MainWindow) : QDialog(MainWindow), FMainWindow(MainWindow) {
    setObjectName(QStringLiteral("Form2"));
    SetUpDialogWindow(*this, *MainWindow, QStringLiteral("キャンバスの設定"), QSize(337, 107));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(10, 15, 221, 81);
    // The title lies on the frame's top edge and hides the line behind it.
    Label3 = PlaceLabel(this, QStringLiteral("Label3"), QStringLiteral(" キャンバスのサイズ "), 20, 10);
    Label3->setAutoFillBackground(true);
    Label1 = PlaceLabel(this, QStringLiteral("Label1"), QStringLiteral("幅"), 60, 40);
    WidthEdit = PlaceSizeEdit(this, QStringLiteral("WidthEdit"), 90, 35);
    Label4 = PlaceLabel(this, QStringLiteral("Label4"), QStringLiteral("pixels"), 185, 40);
    Label2 = PlaceLabel(this, QStringLiteral("Label2"), QStringLiteral("高さ"), 60, 65);
    HeightEdit = PlaceSizeEdit(this, QStringLiteral("HeightEdit"), 90, 60);
    Label5 = PlaceLabel(this, QStringLiteral("Label5"), QStringLiteral("pixels"), 185, 65);
    OKButton = PlaceButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"), 15);
    CancelButton = PlaceButton(this, QStringLiteral("CancelButton"), QStringLiteral("キャンセル"), 40);
    // The texts of the dialog's design; Execute always replaces them.
    WidthEdit->setText(QStringLiteral("300"));
    HeightEdit->setText(QStringLiteral("400"));

    setTabOrder(WidthEdit, HeightEdit);
    setTabOrder(HeightEdit, OKButton);
    setTabOrder(OKButton, CancelButton);
    for (QWidget* control : {static_cast<QWidget*>(WidthEdit), static_cast<QWidget*>(HeightEdit),
                             static_cast<QWidget*>(OKButton), static_cast<QWidget*>(CancelButton)})
        control->installEventFilter(this);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool TForm2::FormKeyPress(const QKeyEvent& Key) {
    if (Key.key() != Qt::Key_Escape) return false;
    reject();
    return true;
}

bool TForm2::SizeEditKeyPress(const QKeyEvent& Key) {
    const QString text = Key.text();
    switch (Key.key()) {
        case Qt::Key_Backspace:
        // Delete and the focus keys type no character into the field.
        case Qt::Key_Delete:
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return false;
        default: break;
    }
    if (text.isEmpty()) return false;  // moving keys, Shift+Insert, ...
    return !(text.size() == 1 && text.front() >= u'0' && text.front() <= u'9');
}

bool TForm2::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() != QEvent::KeyPress) return QDialog::eventFilter(Watched, Event);
    const auto& key = static_cast<const QKeyEvent&>(*Event);
    if (FormKeyPress(key)) return true;
    if (Watched == WidthEdit || Watched == HeightEdit) return SizeEditKeyPress(key);
    // Enter presses the focused button, as Space does; it makes no button
    // the default.
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        static_cast<QPushButton*>(Watched)->click();
        return true;
    }
    return false;
}

void TForm2::keyPressEvent(QKeyEvent* Event) {
    // Keys the controls pass on: only Escape means something to the dialog.
    if (!FormKeyPress(*Event)) Event->ignore();
}

void TForm2::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    WidthEdit->setFocus(Qt::OtherFocusReason);
    WidthEdit->selectAll();
}

std::optional<int> CanvasSizeOf(const QString& Text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < Text.size() && (Text[i] == u'+' || Text[i] == u'-')) negative = Text[i++] == u'-';
    if (i == Text.size()) return std::nullopt;
    long long value = 0;
    for (; i < Text.size(); ++i) {
        const QChar c = Text[i];
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<int>::max()) return std::nullopt;
    }
    if (negative && value != 0) return std::nullopt;
    return static_cast<int>(value);
}

void TForm2::Execute() {
    CentreOverMainWindow(*this, *FMainWindow);
    WidthEdit->setText(QString::number(FMainWindow->CanvasWidth()));
    HeightEdit->setText(QString::number(FMainWindow->CanvasHeight()));
    if (exec() != QDialog::Accepted) return;
    // The height first: with both fields wrong, the report names the height.
    const QString heightText = HeightEdit->text();
    const std::optional<int> height = CanvasSizeOf(heightText);
    const QString widthText = WidthEdit->text();
    const std::optional<int> width = height ? CanvasSizeOf(widthText) : std::nullopt;
    if (!height || !width) {
        ShowErrorReport(FMainWindow, QStringLiteral("'%1' は整数ではありません").arg(height ? widthText : heightText));
        return;
    }
    FMainWindow->SetCanvasSize(*width, *height);
    FMainWindow->RedrawCanvas();
}

}  // namespace ravelon
