#pragma once

#include <QString>

// One token of a typed length: a number, maybe a fraction, and the unit mark
// after it. Lives only while a length is parsed.
struct DimensionToken
{
    double value = 0.0;
    bool valid = true;
    bool empty = false; // only spaces were left
    bool feet = false; // a feet mark (') followed
    bool inches = false; // an inch mark (") or "in" followed
    bool cm = false;
    bool mm = false;
    bool fraction = false;
    bool decimalPoint = false;
    bool metre = false;

    // Reads one token from text at pos; pos moves past it unless the token is
    // empty or invalid.
    void Parse(const QString& text, qsizetype& pos);

    bool IsMetric() const { return cm || mm || metre; }
    bool IsNegative() const { return value < 0.0; }
};
