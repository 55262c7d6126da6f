// The about window: the logo, the program's version (the same text the client sends at
// login, followed by the build number), the product's web address, which opens in the
// desktop's browser when clicked, and "Done". A small tool window, centred on the main
// window whenever it is shown; it lives as long as the main window.
#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>

class ClickableLabel;
class LogoLabel;
class QPushButton;

class Tabout : public QWidget {
    Q_OBJECT
public:
    // Hands a web address to whatever shows it; by default the desktop's browser.
    using UrlOpener = std::function<void(const QUrl &)>;

    static constexpr int kClientWidth = 264;
    static constexpr int kClientHeight = 158;
    // `webAddress`: the product's web page (LobbyPlaces). An empty `opener` means
    // QDesktopServices::openUrl.
    Tabout(QWidget *mainWindow, const QUrl &webAddress, UrlOpener opener = {});

    QUrl webAddress() const { return m_webAddress; }
    void setWebAddress(const QUrl &address);

    // Opens the web address through the opener when it is an http or https address,
    // else only logs a warning: a click on the address (and on the main window's logo,
    // which the program connects here).
    void openWebAddress();
    // Shows the window in front of the others.
    void present();

    QPushButton *doneButton() const { return m_done; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *m_mainWindow;
    QUrl m_webAddress;
    UrlOpener m_opener;
    LogoLabel *m_logo = nullptr;
    ClickableLabel *m_web = nullptr;
    QPushButton *m_done = nullptr;
};
