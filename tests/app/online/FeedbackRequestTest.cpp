#include "LoopbackServer.h"

#include "app/AppNotifications.h"
#include "app/online/FeedbackAttachments.h"
#include "app/online/FeedbackChecks.h"
#include "app/online/FeedbackUploader.h"
#include "app/online/PhoneNumberDownload.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

// The text of every element of an XML document by local name, and the namespace of each.
struct ParsedXml {
    QMap<QString, QString> text;
    QMap<QString, QString> ns;
    QStringList order;
    bool wellFormed = false;
};

ParsedXml parseXml(const QString& xml) {
    ParsedXml parsed;
    QXmlStreamReader reader(xml);
    QStringList open;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::StartElement:
                open << reader.name().toString();
                parsed.order << open.last();
                parsed.ns.insert(open.last(), reader.namespaceUri().toString());
                break;
            case QXmlStreamReader::Characters:
                parsed.text[open.last()] += reader.text();
                break;
            case QXmlStreamReader::EndElement:
                open.removeLast();
                break;
            default:
                break;
        }
    }
    parsed.wellFormed = !reader.hasError();
    return parsed;
}

FeedbackSubmission submissionWith(const FeedbackDocument& document) {
    FeedbackSubmission submission;
    submission.document = document;
    submission.now = QDateTime(QDate(2024, 3, 5), QTime(9, 7));
    submission.today = submission.now.date();
    submission.fileNumber = 42;
    return submission;
}

class AFeedbackUpload : public testing::Test {
  protected:
    bool upload(const FeedbackSubmission& submission) {
        FeedbackUploader uploader(ServiceHosts::allOn(server.url()));
        QSignalSpy finished(&uploader, &FeedbackUploader::finished);
        uploader.send(submission);
        EXPECT_TRUE(finished.wait(10000));
        return !finished.isEmpty() && finished.first().first().toBool();
    }

    LoopbackServer server;
};

TEST_F(AFeedbackUpload, carriesEveryValueIntactThroughBothEscapes) {
    QTemporaryDir dir;
    const QString log = dir.filePath("Lumarind.log");
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("2024-02-01 10:00:00.000 old line\n2024-03-04 08:00:00.000 writer: <ok> & \"done\"\x1b[0m\n");
    file.close();

    FeedbackDocument document;
    document.appName = "Lumarind";
    document.email = "a&b<c>@example.org";
    document.feedbackType = "I want to report a problem";
    document.content = "Tom & Jerry <script>\"quoted\" 'single' ]]> café 日本 😀\nline two\r\nthree";
    document.buyNowUrl = "http://www.example.org/Lumarind?a=1&b=2";
    document.appVersion = "1.2 <beta>";
    FeedbackSubmission submission = submissionWith(document);
    submission.logPath = log;

    EXPECT_TRUE(upload(submission));
    ASSERT_EQ(server.requests.size(), 1);
    const LoopbackServer::Request& request = server.requests.first();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, "/miscservicemac/MiscService.asmx");
    EXPECT_EQ(request.headers.value("content-type"), "text/xml; charset=utf-8");
    EXPECT_EQ(request.headers.value("soapaction"), server.url().toString().toUtf8() + "/UploadFeedback");
    EXPECT_EQ(request.headers.value("content-length").toLongLong(), request.body.size());
    EXPECT_FALSE(request.body.startsWith("<?xml"));

    EXPECT_TRUE(request.body.contains("Tom &amp;amp; Jerry &amp;lt;script&amp;gt;"));  // escaped twice on the wire
    const ParsedXml envelope = parseXml(QString::fromUtf8(request.body));
    ASSERT_TRUE(envelope.wellFormed);
    EXPECT_EQ(envelope.order.mid(0, 5), (QStringList{"Envelope", "Body", "UploadFeedback", "input", "filename"}));
    EXPECT_EQ(envelope.ns.value("Envelope"), "http://schemas.xmlsoap.org/soap/envelope/");
    EXPECT_EQ(envelope.ns.value("input"), server.url().toString() + "/");
    EXPECT_EQ(envelope.text.value("filename"), "Lumarind-Feedback 20240305T0907 42.xml");

    const ParsedXml feedback = parseXml(envelope.text.value("input"));
    ASSERT_TRUE(feedback.wellFormed);
    EXPECT_EQ(feedback.order.first(), "sf_feedback");
    EXPECT_EQ(feedback.text.value("email"), document.email);
    EXPECT_EQ(feedback.text.value("feedback_type"), document.feedbackType);
    EXPECT_EQ(feedback.text.value("content"), QString(document.content).replace("\r\n", "\n"));
    EXPECT_EQ(feedback.text.value("URL_BUYNOW"), document.buyNowUrl);
    EXPECT_EQ(feedback.text.value("app_ver"), document.appVersion);
    EXPECT_EQ(feedback.text.value("logs_Data"),
              QString::fromUtf8("2024-03-04 08:00:00.000 writer: <ok> & \"done\"\uFFFD[0m\n"));
    EXPECT_EQ(feedback.text.value("logs_Data_Scan"), "SCAN_LOGSNOTSELECTED");
    EXPECT_FALSE(feedback.text.value("machineid").isEmpty());
    EXPECT_EQ(feedback.order.mid(feedback.order.indexOf("campaign_info") + 1, 8),
              (QStringList{"affiliateid", "utm_campaign", "utm_content", "utm_medium", "utm_source", "utm_term", "x-at",
                           "URL_BUYNOW"}));
}

TEST_F(AFeedbackUpload, succeedsOnlyOnA2xxAnswerWithoutFault) {
    struct Row {
        const char* name;
        LoopbackServer::Response response;
        bool success;
    };
    const QByteArray fault =
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><soap:Fault>"
        "<faultcode>soap:Server</faultcode><faultstring>rejected</faultstring></soap:Fault></soap:Body>"
        "</soap:Envelope>";
    const QByteArray result =
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
        "<UploadFeedbackResponse xmlns=\"http://x/\"><UploadFeedbackResult>true</UploadFeedbackResult>"
        "</UploadFeedbackResponse></soap:Body></soap:Envelope>";
    const Row rows[] = {
        {"serverError", {500, "<html>boom</html>"}, false},
        {"notFound", {404, ""}, false},
        {"faultWith200", {200, fault}, false},
        {"faultWith500", {500, fault}, false},
        {"result", {200, result}, true},
    };
    QObject observer;
    int announced = 0;
    platform::NotificationCenter::defaultCenter().addObserver(&observer, AppNotifications::submitFeedback(),
                                                              [&](const platform::Notification&) { ++announced; });
    int expectedAnnouncements = 0;
    for (const Row& row : rows) {
        server.script(row.response);
        EXPECT_EQ(upload(submissionWith({})), row.success) << row.name;
        expectedAnnouncements += row.success ? 1 : 0;
        EXPECT_EQ(announced, expectedAnnouncements) << row.name;
    }
}

TEST_F(AFeedbackUpload, failsWhenNoServerAnswers) {
    FeedbackUploader uploader(ServiceHosts::allOn(QUrl("http://127.0.0.1:1")));
    QSignalSpy finished(&uploader, &FeedbackUploader::finished);
    uploader.send(submissionWith({}));
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(finished.first().first().toBool());
}

// A redirect to another host (here the loopback server under the name "localhost") would carry the user's
// e-mail, text and log, or the request for the phone file, wherever the server says. Neither is followed,
// and a redirected feedback is not sent.
class ARedirectToAnotherHost : public AFeedbackUpload, public testing::WithParamInterface<int> {};

TEST_P(ARedirectToAnotherHost, isNotFollowedAndSendsNothing) {
    const QByteArray elsewhere = "http://localhost:" + QByteArray::number(server.url().port()) + "/elsewhere";
    QObject observer;
    int announced = 0;
    platform::NotificationCenter::defaultCenter().addObserver(&observer, AppNotifications::submitFeedback(),
                                                              [&](const platform::Notification&) { ++announced; });
    server.script({.status = GetParam(), .location = elsewhere});
    EXPECT_FALSE(upload(submissionWith({})));
    EXPECT_EQ(announced, 0);

    QTemporaryDir dir;
    platform::UserDefaults defaults(dir.filePath("defaults.conf"));
    defaults.setValue("phonenumber", "555 0100");
    server.script({.status = GetParam(), .location = elsewhere});
    server.script({.body = "[default]\nfennacle = 555 0142\n"});
    PhoneNumberDownload download(ServiceHosts::allOn(server.url()).supportPhoneFileUrl(), defaults,
                                 {{1, 1, 1, 1, 1}, 5000});
    QSignalSpy updated(&download, &PhoneNumberDownload::phoneNumberUpdated);
    download.updatePhoneNumbersFromWebINI(true);
    ASSERT_TRUE(updated.wait(10000));
    EXPECT_EQ(updated.first().first().toString(), "555 0142");
    for (const LoopbackServer::Request& request : server.requests) EXPECT_NE(request.path, "/elsewhere");
    EXPECT_EQ(server.requests.size(), 3);
}

INSTANTIATE_TEST_SUITE_P(Statuses, ARedirectToAnotherHost, testing::Values(301, 302, 303, 307, 308));

TEST(AnEmailCheck, acceptsOnlyAddressesWithADottedDomain) {
    const std::pair<const char*, bool> rows[] = {
        {"a@b.cd", true},
        {"a@b.c", false},
        {"a@bcd", false},
        {"@b.cd", false},
        {"first.last@mail.example.org", true},
        {"a@b-c.de", true},
        {"a@b_c.de", false},
        {"a@b.c1", false},
        {"a&<x@b.cd", true},
        {"a@b.cd ", false},
        {"", false},
    };
    for (const auto& [email, valid] : rows) EXPECT_EQ(FeedbackChecks::validateEmail(email), valid) << email;
}

TEST(TheFeedbackChecks, rewriteTheFieldsAndFlagEachFailure) {
    struct Row {
        FeedbackEntries entries;
        FeedbackCheck expected;
    };
    const Row rows[] = {
        {{"  Me@Mail.ORG\n", 2, "  hello \n"}, {{"me@mail.org", 2, "hello"}, false, false, false}},
        {{"me@mail.org", 0, "hello"}, {{"me@mail.org", 0, "hello"}, false, true, false}},
        {{"me@mail", 1, " \n\t "}, {{"me@mail", 1, ""}, true, false, true}},
        {{"", -1, ""}, {{"", -1, ""}, true, true, true}},
    };
    for (const Row& row : rows) {
        const FeedbackCheck check = FeedbackChecks::areThereEmptyFieldsForFeedback(row.entries);
        EXPECT_EQ(check.entries.email, row.expected.entries.email);
        EXPECT_EQ(check.entries.text, row.expected.entries.text);
        EXPECT_EQ(check.invalidEmail, row.expected.invalidEmail) << row.entries.email.toStdString();
        EXPECT_EQ(check.invalidType, row.expected.invalidType) << row.entries.typeIndex;
        EXPECT_EQ(check.invalidText, row.expected.invalidText) << row.entries.text.toStdString();
        EXPECT_EQ(check.failed(), row.expected.failed());
    }
}

TEST(ALogExcerpt, startsAtTheFirstLineOfTheLastSixteenDays) {
    const QDate today(2024, 3, 5);
    struct Row {
        const char* name;
        QByteArray log;
        QString excerpt;
    };
    const Row rows[] = {
        {"allOld", "2024-02-01 a\n2024-02-18 b\n", ""},
        {"todayAfterOld", "2024-02-01 a\n2024-03-05 b\ncontinued\n", "2024-03-05 b\ncontinued\n"},
        {"fifteenDaysBackCounts", "2024-02-18 a\n2024-02-19 b\n", "2024-02-19 b\n"},
        {"laterOldLinesKept", "2024-03-01 a\n2023-01-01 b\n", "2024-03-01 a\n2023-01-01 b\n"},
        {"noFinalNewline", "2024-03-05 a", "2024-03-05 a\n"},
        {"empty", "", ""},
    };
    QTemporaryDir dir;
    for (const Row& row : rows) {
        const QString path = dir.filePath(row.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(row.log);
        file.close();
        EXPECT_EQ(FeedbackAttachments::readLogsContent(path, today), row.excerpt) << row.name;
    }
    EXPECT_EQ(FeedbackAttachments::readLogsContent(dir.filePath("missing"), today), "");
}

TEST(AUsageReport, isSentOnlyWhenItIsAPropertyListDictionary) {
    QTemporaryDir dir;
    const QByteArray header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n";
    const std::pair<QByteArray, bool> rows[] = {
        {header + "<dict><key>scans</key><integer>3</integer></dict>\n</plist>\n", true},
        {header + "<array><string>x</string></array>\n</plist>\n", false},
        {"not a property list", false},
    };
    int n = 0;
    for (const auto& [content, sent] : rows) {
        const QString path = dir.filePath(QString::number(n++));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const auto report = FeedbackAttachments::readUsageReport(path);
        EXPECT_EQ(report.has_value(), sent) << content.constData();
        if (report) {
            EXPECT_EQ(report->toUtf8(), content);
        }
    }
    EXPECT_FALSE(FeedbackAttachments::readUsageReport(dir.filePath("missing")).has_value());
}

}  // namespace
