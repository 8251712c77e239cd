#pragma once

#include <gtest/gtest.h>

#include <QString>

#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"

namespace recordtesting {

// Every text field holds a value of its own ("<tag>:<field>").
inline MetaDataObject filledRecord(const QString& tag) {
    MetaDataObject record;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) record.*row.field = tag + u':' + row.fieldName();
    record.name = tag;
    return record;
}

inline void expectSameRule(const DateTimeConfigurationRef& a, const DateTimeConfigurationRef& b, const char* name) {
    ASSERT_EQ(a == nullptr, b == nullptr) << name;
    if (a) {
        EXPECT_EQ(*a, *b) << name;
    }
}

// Equal in every member that a preset archive keeps, null texts told apart from "".
inline void expectSameArchivedValues(const MetaDataObject& a, const MetaDataObject& b) {
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        EXPECT_EQ(a.*row.field, b.*row.field) << row.name;
        EXPECT_EQ((a.*row.field).isNull(), (b.*row.field).isNull()) << row.name;
    }
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.editingOption, b.editingOption);
    EXPECT_EQ(a.clearExif, b.clearExif);
    EXPECT_EQ(a.clearComment, b.clearComment);
    EXPECT_EQ(a.clearGpsInfo, b.clearGpsInfo);
    EXPECT_EQ(a.clearIPTC, b.clearIPTC);
    EXPECT_EQ(a.clearXMP, b.clearXMP);
    for (const auto& rule : MetadataKeyTable::ruleMembers()) expectSameRule(a.*rule.member, b.*rule.member, rule.name);
}

inline int flagsSet(const MetaDataObject& record) {
    int count = 0;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) count += record.*row.updated ? 1 : 0;
    return count;
}

}  // namespace recordtesting
