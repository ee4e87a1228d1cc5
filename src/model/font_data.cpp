#include "model/font_data.h"

CFontData::CFontData()
    : KXClass(kKindFont)
{ }

CFontData::~CFontData() = default;
