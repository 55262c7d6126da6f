// The help window: a column of topic buttons beside the pages of the help text. A
// button brings its page to the front and puts its caption in the title above the page;
// "About" asks for the about window and "Done" hides the window. It opens on the
// overview and keeps the page last chosen for as long as the program runs. The pages
// are read-only: their text comes from the program's own resources and opens no links.
#pragma once

#include <QWidget>

#include <array>

class QButtonGroup;
class QLabel;
class QPushButton;
class QStackedWidget;

class Thelp : public QWidget {
    Q_OBJECT
public:
    enum class Topic { Overview, Connecting, GamePlay, Scoring, Documentation, License, Lobby };
    static constexpr int kTopicCount = 7;

    explicit Thelp(QWidget *parent = nullptr);

    // Brings the topic's page to the front, as its button does.
    void showTopic(Topic topic);
    Topic currentTopic() const { return m_current; }
    // Shows the window in front of the others, on the page last chosen.
    void present();

    QPushButton *topicButton(Topic topic) const;
    QPushButton *aboutButton() const { return m_about; }
    QPushButton *doneButton() const { return m_done; }

Q_SIGNALS:
    // "About" was pressed.
    void aboutRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildButtons();
    QWidget *buildPage(Topic topic);
    // Builds the current topic's page unless it was built before.
    void buildCurrentPage();

    Topic m_current = Topic::Overview;
    QLabel *m_title = nullptr;
    QStackedWidget *m_pages = nullptr;
    std::array<bool, kTopicCount> m_built{};
    QButtonGroup *m_group = nullptr;
    std::array<QPushButton *, kTopicCount> m_buttons{};
    QPushButton *m_about = nullptr;
    QPushButton *m_done = nullptr;
};
