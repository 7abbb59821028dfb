#pragma once
// Failures show card fonts by their parts.
#include <ostream>

#include "model/CardFont.h"

inline void PrintTo(const CardFont& font, std::ostream* out)
{
    *out << '{' << font.family.toStdString() << ", " << font.size << ", \"" << font.style.toStdString() << "\"}";
}
