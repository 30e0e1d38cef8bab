// The canvas size dialog (Form2).
#pragma once

#include <QDialog>

namespace ravelon {

class TForm1;

// The dialog that sets the canvas's width and height.
class TForm2 : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(TForm1* MainWindow);
    // Fills the fields from the canvas, centres over the main window and
    // runs the dialog; OK applies the size and redraws.
    void Execute();
};

}  // namespace ravelon
