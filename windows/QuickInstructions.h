// The quick-instructions panel of the main window: a heading, six numbered steps, each
// under a picture of the board showing it, a side note, the keys that play the game
// without the mouse, and "Done". It lies over the
// board, hidden until asked for; "Done" hides it again.
#pragma once

#include <QPointer>
#include <QWidget>

class QPushButton;

class QuickInstructions : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 722;
    static constexpr int kHeight = 489;
    static constexpr int kSteps = 6;
    // Where the panel opens in its parent.
    static constexpr QPoint kCorner{1, 1};

    // A child of `parent` (the main window's board panel), hidden.
    explicit QuickInstructions(QWidget *parent);

    // Moves the panel to the parent's top left corner, shows it, brings it in front of its
    // siblings and takes the keyboard until it is hidden; the focus then goes back.
    void showAtCorner();

    QPushButton *doneButton() const { return m_done; }

protected:
    void paintEvent(QPaintEvent *event) override;
    // Escape hides the panel as "Done" does; every other key stays here, so nothing typed
    // reaches the controls under it.
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QPushButton *m_done = nullptr;
    QPointer<QWidget> m_focusBefore;
};
