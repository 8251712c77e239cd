#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace platform {
class UserDefaults;
}

// Refreshes the support phone number from the maker's INI file: up to five attempts with pauses between
// them, then the number chosen from the file is stored under "phonenumber" and announced. Everything runs on
// the main thread's event loop; cancel() (or destroying the object) stops it at once and stores nothing.
// An attempt fails when its answer grows past kMaxFileBytes or does not end within its time; a number
// that is not a phone number is stored and announced as "".
class PhoneNumberDownload : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kDefaultsKey = "phonenumber";
    // The file holds a few short lines.
    static constexpr qint64 kMaxFileBytes = 16 * 1024;

    struct Timing {
        QList<int> pausesMs{5000, 5000, 20000, 20000, 20000};  // after each failed attempt; one per attempt
        int attemptTimeoutMs = 30000;                          // from the request to the whole answer
    };

    PhoneNumberDownload(const QUrl& iniUrl, platform::UserDefaults& defaults, Timing timing, QObject* parent = nullptr);
    PhoneNumberDownload(const QUrl& iniUrl, platform::UserDefaults& defaults, QObject* parent = nullptr);
    ~PhoneNumberDownload() override;

    // The number stored by an earlier run; "" for none.
    static QString getDefaultPhoneNumber(const platform::UserDefaults& defaults);

    // Starts the refresh. Without a network nothing is requested and the number becomes "".
    void updatePhoneNumbersFromWebINI(bool isInternetAvailable);
    void cancel();
    bool isRunning() const { return m_running; }
    // Between a failed attempt and the next one.
    bool isWaitingToRetry() const;

  signals:
    // The number is stored; the views should show it ("" hides them). Always delivered from the event loop.
    void phoneNumberUpdated(const QString& number);

  private:
    void startAttempt();
    void attemptFinished(QNetworkReply* reply);
    void finish(const QString& iniText, bool downloaded);

    QUrl m_url;
    platform::UserDefaults& m_defaults;
    Timing m_timing;
    QNetworkAccessManager* m_network;
    QTimer* m_pause;
    QPointer<QNetworkReply> m_reply;
    int m_attempt = 0;
    int m_run = 0;  // grows with every cancel, so answers of an earlier run are dropped
    bool m_running = false;
};
