// Placeholder until the canvas size dialog and the About box are merged;
// replaced, never shipped.
#include "app/RavelonU1.h"
#include "app/RavelonU2.h"
#include "app/RavelonU3.h"

namespace ravelon {

TForm2::TForm2(TForm1* MainWindow) : QDialog(MainWindow) {}
void TForm2::Execute() {}
TForm3::TForm3(TForm1* MainWindow) : QDialog(MainWindow) {}
void TForm3::Execute() {}

}  // namespace ravelon
