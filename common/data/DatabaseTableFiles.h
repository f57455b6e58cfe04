#pragma once

// The writers of the database table files (Class.dat, Item.dat, ...): each
// record's own index field is set to its position in the table, then the
// table file is written: version word, int32 count, each record's image.

#include "common/data/DataFile.h"
#include "common/data/ProjectData.h"

// 1 when written; else 0 and, when asked, the reason. ownIndex: the member
// that holds a record's position, or null for records without one.
template <class T>
int SaveDatabaseTable(CheckedVector<T>& table, std::string_view name, int32_t T::*ownIndex,
                      std::string* error = nullptr)
{
    if (ownIndex)
    {
        for (int i = 0; i < table.Count(); ++i)
        {
            table.At(i).*ownIndex = i;
        }
    }
    return SaveTableFile(table, name, error);
}

inline int SaveDatabaseTable(CheckedVector<ClassRecord>& table, std::string_view name, std::string* error = nullptr)
{
    return SaveDatabaseTable(table, name, &ClassRecord::m_nClassA, error);
}

inline int SaveDatabaseTable(CheckedVector<ItemRecord>& table, std::string_view name, std::string* error = nullptr)
{
    return SaveDatabaseTable(table, name, &ItemRecord::m_nItemB, error);
}

inline int SaveDatabaseTable(CheckedVector<LandRecord>& table, std::string_view name, std::string* error = nullptr)
{
    return SaveDatabaseTable(table, name, &LandRecord::m_nLandA, error);
}

inline int SaveDatabaseTable(CheckedVector<SkillRecord>& table, std::string_view name, std::string* error = nullptr)
{
    return SaveDatabaseTable(table, name, &SkillRecord::m_nSkillB, error);
}

// Characters have no index field of their own: their records are written as they are.
inline int SaveDatabaseTable(CheckedVector<FriendRecord>& table, std::string_view name, std::string* error = nullptr)
{
    return SaveDatabaseTable<FriendRecord>(table, name, nullptr, error);
}

inline int SaveDatabaseTable(CheckedVector<EnemyRecord>& table, std::string_view name, std::string* error = nullptr)
{
    return SaveDatabaseTable<EnemyRecord>(table, name, nullptr, error);
}
