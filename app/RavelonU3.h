// The About box (Form3).
#pragma once

#include <QDialog>

namespace ravelon {

class TForm1;

// The version box with its two links.
class TForm3 : public QDialog {
    Q_OBJECT

public:
    explicit TForm3(TForm1* MainWindow);
    // Centres over the main window and shows the box modally.
    void Execute();
};

}  // namespace ravelon
