#pragma once

#include "app/platform/Texterkennung.hpp"

#include <chrono>

namespace parlix {

// Text recognition with Tesseract in German and English. Each calling thread gets an
// engine of its own (an engine is not shared between threads), made at its first call.
class TesseractErkennung final : public Texterkennung {
public:
    // Screen pixels: windows are captured at about 96 dots per inch.
    static constexpr int kQuellAufloesung = 96;
    // Longest one recognition may take; what was recognised by then is returned.
    static constexpr std::chrono::milliseconds kFrist{30000};

    // Prepares the environment for the library (on the main thread at start-up, before
    // other threads read it); the library itself, with a dozen image and network
    // libraries behind it, is loaded at the first recognition, so that an idle program
    // does not keep it in memory.
    TesseractErkennung();

    QString ocr(const QByteArray& png) override;
};

} // namespace parlix
