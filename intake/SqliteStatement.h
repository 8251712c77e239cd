#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement over a constant SQL text; values only ever travel as bound parameters.
class SqliteStatement {
  public:
    SqliteStatement(sqlite3* database, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool isValid() const { return m_statement != nullptr; }
    QString errorMessage() const { return m_error; }

    bool bind(int index, const QString& text);
    // Steps to the next row; false at the end or on an error (then errorMessage says which).
    bool next();

    bool isNull(int column) const;
    QByteArray bytes(int column) const;
    // UTF-8 when the bytes are valid UTF-8, else Windows-1252, so no byte makes a row fail; NULL reads "".
    QString text(int column) const;
    int intValue(int column) const;
    qint64 int64Value(int column) const;

  private:
    sqlite3* m_database = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    QString m_error;
};
