#include "LoopbackServer.h"
#include "tests/common/TestSupport.h"

#include "app/online/PhoneNumberDownload.h"
#include "app/online/PhoneNumberIni.h"
#include "app/online/ServiceHosts.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct IniRow {
    const char* name;
    const char* file;
    const char* storedNumber;
    const char* number;
};

void PrintTo(const IniRow& row, std::ostream* os) {
    *os << row.name;
}

class ASupportPhoneFile : public testing::TestWithParam<IniRow> {};

TEST_P(ASupportPhoneFile, yieldsTheNumberToShow) {
    const IniSections file = PhoneNumberIni::parse(QString::fromUtf8(GetParam().file));
    EXPECT_EQ(PhoneNumberIni::checkAndGetNewPhoneNumberForAppStoreApp(file, GetParam().storedNumber),
              QString::fromUtf8(GetParam().number));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ASupportPhoneFile,
    testing::Values(IniRow{"defaultWinsOverStored", "[default]\nfennacle = 555 0100\n", "555 9999", "555 0100"},
                    IniRow{"phoneMapsStoredNumber", "[phone]\nA=B\n", "A", "B"},
                    IniRow{"phoneWithoutStoredNumber", "[phone]\nA=B\n", "C", ""},
                    IniRow{"blanksInsideBrackets", "[ default ]\nfennacle=1\n", "", "1"},
                    IniRow{"namesAreCaseSensitive", "[Default]\nfennacle=1\n", "", ""},
                    IniRow{"threePartsIgnored", "[default]\nfennacle=1=2\n", "", ""},
                    IniRow{"emptyValue", "[default]\nfennacle =\n", "old", ""},
                    IniRow{"keysBeforeAnyHeaderIgnored", "fennacle=1\n[default]\nother=2\n", "", ""},
                    IniRow{"repeatedHeaderStartsAfresh", "[default]\nfennacle=1\n[default]\nother=2\n[phone]\nx=3\n",
                           "x", "3"},
                    IniRow{"repeatedKeyReplaces", "[default]\nfennacle=1\nfennacle=2\n", "", "2"},
                    IniRow{"crlfLines", "[default]\r\nfennacle = 555 0100\r\n", "", "555 0100"},
                    IniRow{"textAroundBracketsIgnored", "x [default] y\nfennacle=7\n", "", "7"},
                    IniRow{"twoOpeningBracketsIsNoHeader", "[default]\n[[phone]\nfennacle=8\n", "", "8"},
                    IniRow{"emptyFile", "", "A", ""}),
    testsupport::rowName);

// A download against the loopback server with millisecond pauses, and a defaults file of its own.
class APhoneNumberDownload : public testing::Test {
  protected:
    APhoneNumberDownload() : defaults(dir.filePath("defaults.conf")) {
        defaults.registerDefaults({{PhoneNumberDownload::kDefaultsKey, QString()}});
    }

    PhoneNumberDownload::Timing fast() const { return {{1, 1, 2, 2, 2}, 5000}; }
    QUrl iniUrl() const { return ServiceHosts::allOn(server.url()).supportPhoneFileUrl(); }

    QString run(PhoneNumberDownload& download, bool online) {
        QSignalSpy spy(&download, &PhoneNumberDownload::phoneNumberUpdated);
        download.updatePhoneNumbersFromWebINI(online);
        EXPECT_TRUE(spy.wait(10000));
        EXPECT_EQ(spy.size(), 1);
        return spy.isEmpty() ? QString("<none>") : spy.first().first().toString();
    }

    QTemporaryDir dir;
    platform::UserDefaults defaults;
    LoopbackServer server;
};

// What a server may serve as the support-phone file, and the number stored for it. The attempts after the
// first get an empty file, so a refused first answer leaves no number after two requests.
struct ServedRow {
    const char* name;
    LoopbackServer::Response first;
    const char* number;
    int requests;
    int attemptTimeoutMs = 60000;
    friend void PrintTo(const ServedRow& row, std::ostream* os) { *os << row.name; }
};

QByteArray numberFile(const QByteArray& number) {
    return "[default]\nfennacle = " + number + "\n";
}

// 64 KB of comment lines after a good number.
QByteArray paddedFile() {
    QByteArray file = numberFile("555 0100");
    while (file.size() < 64 * 1024) file += "; " + QByteArray(77, '-') + "\n";
    return file;
}

class AServedSupportPhoneFile : public APhoneNumberDownload, public testing::WithParamInterface<ServedRow> {};

TEST_P(AServedSupportPhoneFile, givesANumberOnlyWhenSmallTimelyAndMadeOfPhoneCharacters) {
    server.script(GetParam().first);
    PhoneNumberDownload download(iniUrl(), defaults, {{1, 1, 2, 2, 2}, GetParam().attemptTimeoutMs});
    EXPECT_EQ(run(download, true), GetParam().number);
    EXPECT_EQ(defaults.string("phonenumber"), GetParam().number);
    EXPECT_EQ(server.requests.size(), GetParam().requests);
}

const QByteArray kOk = "HTTP/1.1 200 OK\r\n";
INSTANTIATE_TEST_SUITE_P(
    Rows, AServedSupportPhoneFile,
    testing::Values(
        ServedRow{"aFormattedNumber", {.body = numberFile("+1 (800) 555-0100")}, "+1 (800) 555-0100", 1},
        ServedRow{"markup", {.body = numberFile("<h1>LICENSE EXPIRED</h1>")}, "", 1},
        ServedRow{"words", {.body = numberFile("Call us now")}, "", 1},
        ServedRow{"onlyPunctuation", {.body = numberFile("(+) -./")}, "", 1},
        ServedRow{"tooLongForANumber", {.body = numberFile(QByteArray(40, '5'))}, "", 1},
        ServedRow{"aFileOfSixtyFourKilobytes", {.body = paddedFile()}, "", 2},
        ServedRow{"announcesSixtyFourMegabytesAndStalls",
                  {.raw = kOk + "Content-Length: 67108864\r\n\r\n" + numberFile("555 0100")},
                  "",
                  2},
        ServedRow{"sendsWithoutALengthAndStalls", {.raw = kOk + "\r\n" + paddedFile()}, "", 2},
        ServedRow{
            "dripsOneByteAtATime", {.raw = kOk + "Content-Length: 1000\r\n\r\n[default]\n", .dripMs = 20}, "", 2, 300}),
    testsupport::rowName);

TEST_F(APhoneNumberDownload, storesTheNumberOfTheFile) {
    defaults.setValue("phonenumber", "A");
    server.script({200, "[phone]\r\nA = 555 0199\r\n"});
    PhoneNumberDownload download(iniUrl(), defaults, fast());
    EXPECT_EQ(run(download, true), "555 0199");
    EXPECT_EQ(defaults.string("phonenumber"), "555 0199");
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests.first().method, "GET");
    EXPECT_EQ(server.requests.first().path, "/fennacle/phonenumber.ini");
}

TEST_F(APhoneNumberDownload, retriesFiveTimesThenClearsTheNumber) {
    defaults.setValue("phonenumber", "555 0100");
    for (int i = 0; i < 5; ++i) server.script({500, "[default]\nfennacle=error page\n"});
    PhoneNumberDownload download(iniUrl(), defaults, fast());
    EXPECT_EQ(run(download, true), "");
    EXPECT_EQ(server.requests.size(), 5);
    EXPECT_EQ(defaults.string("phonenumber"), "");
}

TEST_F(APhoneNumberDownload, takesALaterAttemptThatSucceeds) {
    server.script({404, ""});
    server.script({200, QByteArray("\xff\xfe garbled")});  // not UTF-8: counts as a failed read
    server.script({200, "[default]\nfennacle=555 0142\n"});
    PhoneNumberDownload download(iniUrl(), defaults, fast());
    EXPECT_EQ(run(download, true), "555 0142");
    EXPECT_EQ(server.requests.size(), 3);
}

TEST_F(APhoneNumberDownload, asksNothingWithoutANetwork) {
    defaults.setValue("phonenumber", "555 0100");
    PhoneNumberDownload download(iniUrl(), defaults, fast());
    EXPECT_EQ(run(download, false), "");
    EXPECT_EQ(server.connections, 0);
    EXPECT_EQ(defaults.string("phonenumber"), "");
}

TEST_F(APhoneNumberDownload, cancelledStoresAndAnnouncesNothing) {
    defaults.setValue("phonenumber", "555 0100");
    server.script({500, ""});
    PhoneNumberDownload download(iniUrl(), defaults, {{60000, 1, 1, 1, 1}, 5000});
    QSignalSpy updated(&download, &PhoneNumberDownload::phoneNumberUpdated);
    download.updatePhoneNumbersFromWebINI(true);
    // The first attempt fails; the download then pauses for a minute, and quitting cancels it there.
    LUMARIND_WAIT_FOR(download.isWaitingToRetry(), 10000);
    download.cancel();
    EXPECT_FALSE(download.isRunning());
    EXPECT_FALSE(download.isWaitingToRetry());
    QCoreApplication::processEvents();
    EXPECT_TRUE(updated.isEmpty());
    EXPECT_EQ(server.requests.size(), 1);

    download.updatePhoneNumbersFromWebINI(false);  // quitting right after a start without a network
    download.cancel();
    QCoreApplication::processEvents();
    EXPECT_TRUE(updated.isEmpty());
    EXPECT_EQ(defaults.string("phonenumber"), "555 0100");
}

}  // namespace
