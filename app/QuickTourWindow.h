#pragma once

#include <QUrl>
#include <QWidget>

class IMGButton;
class MouseDownView;
class QTextBrowser;

// The quick tour (winTips): the tour page (webViewTips) in a window of its own over the main window. The
// page calls the application through "app:" links: "app:torvanelinkClicked" opens the product's web site,
// "app:closeQuickTourClicked" closes the tour. Other web links open in the user's browser.
class QuickTourWindow : public QWidget {
    Q_OBJECT
  public:
    explicit QuickTourWindow(QWidget* mainWindow);

    static QUrl pageUrl() { return QUrl(QStringLiteral("qrc:/tour/index.html")); }

    QTextBrowser* webViewTips() const { return m_page; }
    MouseDownView* vwMouseDownTips() const { return m_dragArea; }
    IMGButton* btnClose() const { return m_close; }
    // Loads the page the first time; later times goes back one page, as a browser would.
    void showPage();
    bool isTipsDisplayed() const { return m_loaded; }

  signals:
    void torvanelinkClicked();
    void closeQuickTourClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void followLink(const QUrl& url);

    MouseDownView* m_dragArea = nullptr;
    IMGButton* m_close = nullptr;
    QTextBrowser* m_page = nullptr;
    bool m_loaded = false;
};
