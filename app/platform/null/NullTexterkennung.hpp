#pragma once

#include "app/platform/Texterkennung.hpp"

namespace parlix {

// No text recognition: every image reads as empty.
class NullTexterkennung final : public Texterkennung {
public:
    QString ocr(const QByteArray&) override { return {}; }
};

} // namespace parlix
