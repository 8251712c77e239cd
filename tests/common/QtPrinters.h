#pragma once

// Included into every test source by the build, so that a failed comparison of Qt texts shows the texts.

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <gtest/gtest-printers.h>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0) *os << ", ";
        PrintTo(texts.at(i), os);
    }
    *os << '}';
}

inline void PrintTo(const QSize& size, std::ostream* os) {
    *os << size.width() << 'x' << size.height();
}

inline void PrintTo(const QPoint& point, std::ostream* os) {
    *os << '(' << point.x() << ", " << point.y() << ')';
}

inline void PrintTo(const QRect& rect, std::ostream* os) {
    *os << rect.width() << 'x' << rect.height() << " at (" << rect.x() << ", " << rect.y() << ')';
}

inline void PrintTo(const QPointF& point, std::ostream* os) {
    *os << '(' << point.x() << ", " << point.y() << ')';
}

inline void PrintTo(const QSizeF& size, std::ostream* os) {
    *os << size.width() << 'x' << size.height();
}

inline void PrintTo(const QRectF& rect, std::ostream* os) {
    *os << rect.width() << 'x' << rect.height() << " at (" << rect.x() << ", " << rect.y() << ')';
}

// A C string compared with a Qt text or byte array is meant as text, as GoogleTest takes it beside a std::string;
// otherwise a failed EXPECT_EQ(text, "literal") prints the literal's address.
namespace testing::internal {
#define LUMARIND_C_STRING_AS_TEXT_BESIDE(CharType, QtType)                                       \
    template <>                                                                                  \
    class FormatForComparison<CharType*, QtType> {                                               \
      public:                                                                                    \
        static ::std::string Format(CharType* value) { return ::testing::PrintToString(value); } \
    }
LUMARIND_C_STRING_AS_TEXT_BESIDE(char, QString);
LUMARIND_C_STRING_AS_TEXT_BESIDE(const char, QString);
LUMARIND_C_STRING_AS_TEXT_BESIDE(char, QByteArray);
LUMARIND_C_STRING_AS_TEXT_BESIDE(const char, QByteArray);
#undef LUMARIND_C_STRING_AS_TEXT_BESIDE
}  // namespace testing::internal
