// SPDX-License-Identifier: GPL-3.0-or-later
// Long computations on a worker thread while the window is busy.
//
// The command that needs one hands RunBusy a job; the job runs on a thread
// of its own while the window waits in an event loop of its own, so that it
// repaints and re-lays out. Meanwhile the window is busy:
//   - the hourglass, and "多項式を計算しています..." in status panel 1;
//   - the progress bar, the job's share done, read a few times a second,
//     with the cancel button beside it;
//   - mouse and key input to the window, its menus and its tool bar is
//     dropped, not kept for later: only the cancel button, Escape (which
//     cancels too) and the close box are heard. Other windows (the close
//     question, the help) take input as usual.
// Cancelling sets the job's progress's flag; the job stops at its next look
// at it and RunBusy throws TCancelled, after which status panel 1 says
// "計算を中止しました". Closing the window while busy asks the close question;
// Yes cancels the job and closes the window once it has stopped.
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <atomic>
#include <exception>
#include <thread>

#include "app/RavelonU1.h"
#include "app/ScreenCursor.h"

namespace ravelon {

namespace {

constexpr int ProgressSteps = 1000;
constexpr int ProgressIntervalMs = 200;

const QString BusyHint = QStringLiteral("多項式を計算しています...");

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

}  // namespace

void TForm1::RunBusy(const std::function<void(TProgress&)>& Job) {
    TProgress progress;
    std::exception_ptr error;
    std::atomic<bool> finished = false;
    QEventLoop wait;

    FBusyProgress = &progress;
    SetScreenCursor(crHourGlass);
    ShowHint(BusyHint);
    ProgressBar1->setValue(0);
    qApp->installEventFilter(this);
    QTimer tick;
    tick.setInterval(ProgressIntervalMs);
    connect(&tick, &QTimer::timeout, this, [this, &progress] {
        // Shown from the first tick on, so that a short job does not flicker.
        ProgressBar1->setValue(static_cast<int>(progress.Done() * ProgressSteps));
        ProgressBar1->show();
        CancelButton->show();
    });
    tick.start();

    std::thread worker([&] {
        try {
            Job(progress);
        } catch (...) {
            error = std::current_exception();
        }
        finished.store(true);
        QMetaObject::invokeMethod(&wait, [&wait] { wait.quit(); }, Qt::QueuedConnection);
    });
    // The application's end leaves every event loop; the job is waited for all the same.
    while (!finished.load()) wait.exec();
    worker.join();

    tick.stop();
    qApp->removeEventFilter(this);
    if (!error) ProgressBar1->setValue(ProgressSteps);
    ProgressBar1->hide();
    CancelButton->hide();
    FBusyProgress = nullptr;
    ShowHint(progress.Cancelled() ? QString::fromUtf8(TCancelled().what()) : QString());
    SetScreenCursor(crDefault);
    if (FQuitAfterBusy) QTimer::singleShot(0, this, [this] { QuitNow(); });
    if (error) std::rethrow_exception(error);
}

void TForm1::CancelButtonClick() {
    if (FBusyProgress != nullptr) FBusyProgress->Cancel();
}

bool TForm1::BusyEventFilter(QObject* Watched, QEvent* Event) {
    if (!IsInput(Event) || !Watched->isWidgetType()) return false;
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
