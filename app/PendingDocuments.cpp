// Placeholder until the document commands, file dialogs and printing are
// merged; replaced, never shipped.
#include <QDragEnterEvent>
#include <QDropEvent>

#include "app/RavelonU1.h"

namespace ravelon {

void TForm1::NewMakeActionExecute() {}
void TForm1::OpenActionExecute() {}
void TForm1::SaveActionExecute() {}
void TForm1::SaveAsActionExecute() {}
void TForm1::SaveAsBitmapActionExecute() {}
void TForm1::PrinterSetupActionExecute() {}
void TForm1::PrintActionExecute() {}
void TForm1::OpenKnotFile(const QString&) {}
void TForm1::SaveKnotFile(const QString&) {}
void TForm1::FormShow() {}
void TForm1::WMDropFiles(const QStringList&) {}
void TForm1::dragEnterEvent(QDragEnterEvent* Event) { QMainWindow::dragEnterEvent(Event); }
void TForm1::dropEvent(QDropEvent* Event) { QMainWindow::dropEvent(Event); }

}  // namespace ravelon
