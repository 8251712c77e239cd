#include "app/online/FeedbackMessage.h"

#include <QXmlStreamWriter>

namespace {

constexpr char kSoapEnvelope[] = "http://schemas.xmlsoap.org/soap/envelope/";
constexpr char kSchemaInstance[] = "http://www.w3.org/2001/XMLSchema-instance";
constexpr char kSchema[] = "http://www.w3.org/2001/XMLSchema";
constexpr char kSoapEncoding[] = "http://schemas.xmlsoap.org/soap/encoding/";

bool isXmlCharacter(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

void element(QXmlStreamWriter& xml, const QString& name, const QString& value) {
    xml.writeTextElement(name, FeedbackMessage::xmlCharactersOnly(value));
}

}  // namespace

QString FeedbackMessage::xmlCharactersOnly(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            // XML reads every line break as a line feed; carrying it as one keeps the text as it will be read.
            clean += u'\n';
            if (i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            clean += c;
            clean += text.at(++i);
        } else if (!c.isSurrogate() && isXmlCharacter(c.unicode())) {
            clean += c;
        } else {
            clean += QChar(QChar::ReplacementCharacter);
        }
    }
    return clean;
}

QString FeedbackMessage::feedbackDocument(const FeedbackDocument& d) {
    QString text;
    QXmlStreamWriter xml(&text);
    xml.writeStartElement(QStringLiteral("sf_feedback"));

    xml.writeStartElement(QStringLiteral("feedback"));
    element(xml, QStringLiteral("appname"), d.appName);
    element(xml, QStringLiteral("email"), d.email);
    element(xml, QStringLiteral("feedback_type"), d.feedbackType);
    element(xml, QStringLiteral("content"), d.content);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("logs_info"));
    element(xml, QStringLiteral("logs_Data"), d.logsData);
    element(xml, QStringLiteral("logs_Data_Scan"), d.logsDataScan);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("sys_info"));
    element(xml, QStringLiteral("os_version"), d.osVersion);
    element(xml, QStringLiteral("proc_name"), d.procName);
    element(xml, QStringLiteral("ram_info"), d.ramInfo);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("key"));
    element(xml, QStringLiteral("machineid"), d.machineId.isEmpty() ? QStringLiteral("(null)") : d.machineId);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("campaign_info"));
    for (const char* name :
         {"affiliateid", "utm_campaign", "utm_content", "utm_medium", "utm_source", "utm_term", "x-at"})
        element(xml, QString::fromLatin1(name), QString());
    element(xml, QStringLiteral("URL_BUYNOW"), d.buyNowUrl);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("app_info"));
    element(xml, QStringLiteral("app_ver"), d.appVersion);
    xml.writeEndElement();

    xml.writeEndElement();
    return text;
}

QByteArray FeedbackMessage::prepareSoapMsg(const FeedbackDocument& document, const QString& fileName,
                                           const QString& serviceNamespace) {
    QByteArray body;
    QXmlStreamWriter xml(&body);
    const QString soap = QString::fromLatin1(kSoapEnvelope);
    xml.writeNamespace(soap, QStringLiteral("soap"));
    xml.writeNamespace(QString::fromLatin1(kSchemaInstance), QStringLiteral("xsi"));
    xml.writeNamespace(QString::fromLatin1(kSchema), QStringLiteral("xsd"));
    xml.writeNamespace(QString::fromLatin1(kSoapEncoding), QStringLiteral("soapenc"));
    xml.writeStartElement(soap, QStringLiteral("Envelope"));
    xml.writeStartElement(soap, QStringLiteral("Body"));
    xml.writeDefaultNamespace(serviceNamespace);
    xml.writeStartElement(serviceNamespace, QStringLiteral("UploadFeedback"));
    xml.writeTextElement(serviceNamespace, QStringLiteral("input"), feedbackDocument(document));
    xml.writeTextElement(serviceNamespace, QStringLiteral("filename"), xmlCharactersOnly(fileName));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    return body;
}

QString FeedbackMessage::getDateInFormatNEW(const QDateTime& now) {
    return now.toString(QStringLiteral("yyyyMMdd'T'HHmm"));
}

QString FeedbackMessage::fileName(const QString& appName, const QDateTime& now, int number) {
    return QString(appName).remove(QLatin1Char(' ')) + QStringLiteral("-Feedback ") + getDateInFormatNEW(now) +
           QLatin1Char(' ') + QString::number(number) + QStringLiteral(".xml");
}
