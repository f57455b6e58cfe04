#pragma once

// A record with a check that brings its indices back into the current tables
// without a message. The check runs at the end of every Load (unless the
// stream keeps the values as stored) and at the start of every Save.

#include "common/data/SerializableRecord.h"

class ValidatedRecord : public SerializableRecord
{
public:
    virtual void Validate() = 0;

    bool Load(DataReader& in) override
    {
        if (!LoadRecord(in))
        {
            return false;
        }
        if (in.ChecksValues())
        {
            Validate();
        }
        return true;
    }

    void Save(DataWriter& out) override
    {
        Validate();
        SaveRecord(out);
    }
};
