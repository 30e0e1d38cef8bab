// SPDX-License-Identifier: GPL-3.0-or-later
// Long computations on a worker thread while the window is busy.
//
// The command that needs one hands RunBusy a job; the job runs on a thread
// of its own while the window waits in an event loop of its own, so that it
// repaints and re-lays out. Meanwhile the window is busy (TBusyScope):
//   - the hourglass, and "多項式を計算しています..." in status panel 1;
//   - the progress bar, the job's share done, read a few times a second,
//     with the cancel button beside it; it shows the end only once the job
//     has ended;
//   - every command of the window is disabled, so that no menu item, tool
//     button or shortcut can start one, and the commands are greyed;
//   - mouse and key input to the window, its menus and its tool bar is
//     dropped, not kept for later, and so are shortcuts and drops: only the
//     cancel button, Escape (which cancels too) and the close box are heard.
//     Other windows (the close question, the help) take input as usual.
// A second job cannot start while one runs. The busy state is undone by the
// scope's end on every path, a throw included.
//
// Cancelling sets the job's progress's flag; the job stops at its next look
// at it and RunBusy throws TCancelled, after which status panel 1 says
// "計算を中止しました". A job that does not look at the flag (the planning of
// a contraction) runs to its end, and RunBusy then throws TCancelled all the
// same, so the command goes no further. A result is handed back only for the
// diagram and document the job was given. Closing the window while busy asks
// the close question; Yes cancels the job and closes the window once it has
// stopped.
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <atomic>
#include <exception>
#include <stdexcept>
#include <thread>

#include "app/RavelonU1.h"
#include "app/ScreenCursor.h"

namespace ravelon {

namespace {

constexpr int ProgressSteps = 1000;
constexpr int ProgressIntervalMs = 200;

const QString BusyHint = QStringLiteral("多項式を計算しています...");
const QString StaleHint = QStringLiteral("計算中に図が変わったため、結果を表示しません。");

// True for the events by which a person acts on a window.
bool IsInput(const QEvent* Event) {
    switch (Event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::InputMethod: return true;
        default: return false;
    }
}

// True when Object is Window or one of its descendants.
bool BelongsTo(const QObject* Object, const QObject* Window) {
    for (; Object != nullptr; Object = Object->parent())
        if (Object == Window) return true;
    return false;
}

}  // namespace

// The window busy with Progress's computation, for as long as it lives.
class TForm1::TBusyScope {
public:
    TBusyScope(TForm1& Form, TProgress& Progress) : FForm(Form) {
        FForm.FBusyProgress = &Progress;
        SetScreenCursor(crHourGlass);
        FForm.ShowHint(BusyHint);
        FForm.ProgressBar1->setValue(0);
        // The commands of the action list; their menu items follow them.
        for (QAction* a : FForm.findChildren<QAction*>(Qt::FindDirectChildrenOnly))
            if (a->isEnabled()) {
                a->setEnabled(false);
                FDisabled.emplace_back(a);
            }
        qApp->installEventFilter(&FForm);
    }
    ~TBusyScope() {
        qApp->removeEventFilter(&FForm);
        for (const QPointer<QAction>& a : FDisabled)
            if (a) a->setEnabled(true);
        FForm.ProgressBar1->hide();
        FForm.CancelButton->hide();
        FForm.FBusyProgress = nullptr;
        FForm.ShowHint(QString());
        SetScreenCursor(crDefault);
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    TForm1& FForm;
    std::vector<QPointer<QAction>> FDisabled;
};

void TForm1::RunBusy(const std::function<void(TProgress&)>& Job) {
    if (Busy()) throw std::logic_error("別の計算を実行中です");
    const std::shared_ptr<const TWindowState> given = CaptureState();
    TProgress progress;
    std::exception_ptr error;
    {
        const TBusyScope busy(*this, progress);
        std::atomic<bool> finished = false;
        QEventLoop wait;
        QTimer tick;
        tick.setInterval(ProgressIntervalMs);
        connect(&tick, &QTimer::timeout, this, [this, &progress] {
            // Shown from the first tick on, so that a short job does not
            // flicker; the end is shown only when the job has ended.
            ProgressBar1->setValue(std::min(static_cast<int>(progress.Done() * ProgressSteps), ProgressSteps - 1));
            ProgressBar1->show();
            CancelButton->show();
        });
        tick.start();
        {
            // Joined at the end of this block, whatever happens in it.
            const std::jthread worker([&] {
                try {
                    Job(progress);
                } catch (...) {
                    error = std::current_exception();
                }
                finished.store(true);
                QMetaObject::invokeMethod(&wait, [&wait] { wait.quit(); }, Qt::QueuedConnection);
            });
            // The application's end leaves every event loop; the job is
            // waited for all the same.
            while (!finished.load()) wait.exec();
        }
        if (!error) ProgressBar1->setValue(ProgressSteps);
    }
    if (FQuitAfterBusy) QTimer::singleShot(0, this, [this] { QuitNow(); });
    if (progress.Cancelled()) {
        ShowHint(QString::fromUtf8(TCancelled().what()));
        throw TCancelled();
    }
    if (error) std::rethrow_exception(error);
    if (!(*given == *CaptureState())) {
        ShowHint(StaleHint);
        throw TCancelled();
    }
}

void TForm1::CancelButtonClick() {
    if (FBusyProgress != nullptr) FBusyProgress->Cancel();
}

bool TForm1::BusyEventFilter(QObject* Watched, QEvent* Event) {
    if (!IsInput(Event)) return false;
    if (!Watched->isWidgetType()) {
        // A shortcut goes to its action: none of this window's may act.
        return BelongsTo(Watched, this);
    }
    auto* const widget = static_cast<QWidget*>(Watched);
    if (widget == CancelButton) return false;
    // Other windows than this one and its pop-up menus take input as usual.
    if (widget->window() != this && qobject_cast<QMenu*>(widget->window()) == nullptr) return false;
    if (Event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape)
        CancelButtonClick();
    return true;
}

void TForm1::CloseWhileBusy(QCloseEvent* Event) {
    Event->ignore();
    // The question stands over the busy window with the usual arrow.
    SetScreenCursor(crDefault);
    if (AskToQuit()) {
        FQuitAfterBusy = true;
        FBusyProgress->Cancel();
    } else {
        SetScreenCursor(crHourGlass);
    }
}

void TForm1::QuitNow() {
    FQuitting = true;
    close();
}

}  // namespace ravelon
