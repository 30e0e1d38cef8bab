// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas size dialog (Form2): two fields of at most three digits for the
// canvas's width and height, OK and Cancel.
//
// Client area 337 x 107; Bevel1 frames the fields with Label3 on its top
// edge; tab order WidthEdit, HeightEdit, OKButton, CancelButton; neither
// button is a default button. The window sees key presses before its
// controls: Escape cancels, Enter on a focused button presses it. The fields
// take only the digits and Backspace from the keyboard.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

namespace ravelon {

class TForm1;

// The dialog that sets the canvas's width and height.
class TForm2 : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(TForm1* MainWindow);
    // Centres over the main window, fills the fields from the canvas and runs
    // the dialog; OK applies the size and redraws.
    void Execute();

    QFrame* Bevel1 = nullptr;
    QLabel* Label3 = nullptr;  // " キャンバスのサイズ ", the frame's title
    QLabel* Label1 = nullptr;  // "幅"
    QLineEdit* WidthEdit = nullptr;
    QLabel* Label4 = nullptr;  // "pixels"
    QLabel* Label2 = nullptr;  // "高さ"
    QLineEdit* HeightEdit = nullptr;
    QLabel* Label5 = nullptr;  // "pixels"
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // The key preview: true when the dialog has dealt with the key.
    bool FormKeyPress(const QKeyEvent& Key);
    // The fields' key filter: true when the key is discarded.
    static bool SizeEditKeyPress(const QKeyEvent& Key);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    TForm1* FMainWindow;
};

// The value of a field's Text as a canvas size: a decimal integer with an
// optional sign that is not negative; nothing for any other text.
std::optional<int> CanvasSizeOf(const QString& Text);

}  // namespace ravelon
