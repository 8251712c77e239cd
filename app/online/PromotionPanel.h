#pragma once

#include "app/online/PromotionCatalog.h"
#include "app/online/ServiceHosts.h"

#include <QByteArray>
#include <QUrl>
#include <QWidget>

#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class CustomButton;
class WindowCloseButton;

// The panel shown at quit: up to two of the maker's applications that this machine lacks, the maker's
// social pages, and a box that skips the panel at later quits. Closing it and pressing Quit end the same
// way: the owner hears panelClosed(), reads the box and terminates.
class PromotionPanel : public QWidget {
    Q_OBJECT
  public:
    struct Outlets {
        QLabel* lblAppName;
        QLabel* lblOurRecommendedApps;
        QLabel* lblFirstAppName;
        QLabel* lblSecondAppName;
        QLabel* lblThirdAppName;
        QLabel* lblFirstAppDesc;
        QLabel* lblSecondAppDesc;
        QLabel* lblThirdAppDesc;
        QLabel* imgViewFirst;
        QLabel* imgViewSecond;
        QLabel* imgViewThird;
        CustomButton* btnFirst;
        CustomButton* btnSecond;
        QPushButton* btnThird;
        QFrame* secondHorizontalLine;
        QLabel* lblConnectWithUs;
        QLabel* lblSpreadTheword;
        CustomButton* btnFaceBookLike;
        CustomButton* btnFaceBookShare;
        CustomButton* btnTwitter;
        QCheckBox* btnCheckDontShow;
        QPushButton* btnQuit;
        // Its own close button, for a desktop that gives it no title bar; Escape closes it too.
        WindowCloseButton* btnClose;
    };

    explicit PromotionPanel(const ServiceHosts& hosts, QWidget* parent = nullptr);

    const Outlets& outlets() const { return m_ui; }
    // Where installed applications are looked for; tests give their own answer.
    void setInstalledCheck(std::function<bool(const QString&)> isInstalled) { m_isInstalled = std::move(isInstalled); }
    // Whether the desktop knows an application by this name (its desktop entry exists).
    static bool isApplicationInstalledWithName(const QString& name);

    // Fills the panel for this machine and brings it to the front.
    void showPanel();
    void setApplicationNameAndImage();
    // The vertical offset the social block has moved by since the panel was built.
    int socialBlockShift() const { return m_shift; }

    void btnfirstAppClicked();
    void btnSecondAppClicked();
    void btnThirdAppClicked();
    void btniTunesClicked();
    void btnFaceBookRightPanelClicked(QObject* sender);
    void btnQuitApp();
    // The store page of the maker's application with this number (1 to 6); other numbers do nothing.
    void btnTorvaneAppcenterTapped(int tag);

    QString getURLForTATTracking() const;
    // The record a click built, kept on this machine; empty before any click.
    QByteArray lastTrackingRecord() const { return m_lastTrackingRecord; }

  signals:
    // The panel was closed, by its window button or by Quit.
    void panelClosed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildInterface();
    void buildRows();
    void buildSocialBlockAndBottomBar();
    void setContent(const PromotionCandidate& candidate, int position);
    void placeSocialBlock(int shift);
    void openAndTrack(const QUrl& url, const QString& appName);
    void fireProductTracking(const QString& button, const TrackName& product, const QString& fromProductId);

    Outlets m_ui{};
    ServiceHosts m_hosts;
    std::function<bool(const QString&)> m_isInstalled;
    QList<bool> m_installed;
    QList<QWidget*> m_belowRows;  // the social block and the bottom bar, which move up with fewer rows
    QUrl m_urlFirstBtn;
    QUrl m_urlSecondBtn;
    QUrl m_urlThirdBtn;
    QString m_baseTrackURL;  // the cross-tracking service is not configured: records stay here
    QByteArray m_lastTrackingRecord;
    int m_shift = 0;
};
