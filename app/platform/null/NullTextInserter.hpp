#pragma once

#include "app/platform/TextInserter.hpp"

namespace parlix {

// No synthetic paste on this desktop. The text is left on the clipboard instead, so the
// result is not lost: the user pastes it by hand, and the caller hears so.
class NullTextInserter final : public TextInserter {
public:
    void fuegeEin(const QString& text, Rueckmeldung fertig) override;
};

} // namespace parlix
