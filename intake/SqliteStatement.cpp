#include "intake/SqliteStatement.h"

#include "platform/TextEncoding.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(sqlite3* database, const char* sql) : m_database(database) {
    if (!database) {
        m_error = QStringLiteral("no database");
        return;
    }
    if (sqlite3_prepare_v2(database, sql, -1, &m_statement, nullptr) != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(database));
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_statement);
}

bool SqliteStatement::bind(int index, const QString& text) {
    if (!m_statement) return false;
    const QByteArray utf8 = text.toUtf8();
    return sqlite3_bind_text(m_statement, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
}

bool SqliteStatement::next() {
    if (!m_statement) return false;
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW) return true;
    if (result != SQLITE_DONE) m_error = QString::fromUtf8(sqlite3_errmsg(m_database));
    return false;
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

QByteArray SqliteStatement::bytes(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    if (!data) return QByteArray();
    return QByteArray(data, sqlite3_column_bytes(m_statement, column));
}

QString SqliteStatement::text(int column) const {
    return platform::decodeText(bytes(column));
}

int SqliteStatement::intValue(int column) const {
    return sqlite3_column_int(m_statement, column);
}

qint64 SqliteStatement::int64Value(int column) const {
    return sqlite3_column_int64(m_statement, column);
}
