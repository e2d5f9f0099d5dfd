#include "core/audio/AudioAnalyse.hpp"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace parlix::AudioAnalyse {

namespace {

constexpr double vollausschlag = 32768.0;

struct Summen {
    qsizetype anzahl = 0;
    double quadrate = 0.0; // sum of the squared raw samples
    int spitze = 0;        // largest absolute raw sample, up to 32768
};

// One pass over the samples. Squares are summed exactly in 64-bit integers, block by
// block so that no length can overflow (a block sums to at most 2^50), which also lets
// the compiler vectorise the loop.
Summen summiere(QByteArrayView pcm) {
    constexpr qsizetype blockGroesse = qsizetype{1} << 20;
    Summen summen;
    summen.anzahl = pcm.size() / 2;
    const char* daten = pcm.data();
    for (qsizetype anfang = 0; anfang < summen.anzahl; anfang += blockGroesse) {
        const qsizetype ende = std::min(anfang + blockGroesse, summen.anzahl);
        std::uint64_t block = 0;
        int spitze = 0;
        for (qsizetype i = anfang; i < ende; ++i) {
            const int probe = qFromLittleEndian<qint16>(daten + 2 * i);
            block += static_cast<std::uint64_t>(probe * probe);
            spitze = std::max(spitze, std::abs(probe));
        }
        summen.quadrate += static_cast<double>(block);
        summen.spitze = std::max(summen.spitze, spitze);
    }
    return summen;
}

double rmsVon(const Summen& summen) {
    return std::sqrt(summen.quadrate / static_cast<double>(summen.anzahl)) / vollausschlag;
}

double dauerVon(QByteArrayView pcm, int sampleRate) {
    return static_cast<double>(pcm.size() / 2) / static_cast<double>(sampleRate);
}

bool istStille(QByteArrayView pcm, int sampleRate) {
    return pcm.size() < 2 || sampleRate < 1;
}

} // namespace

Messung messen(QByteArrayView pcm, int sampleRate) {
    if (istStille(pcm, sampleRate)) {
        return {};
    }
    const Summen summen = summiere(pcm);
    return {dauerVon(pcm, sampleRate), rmsVon(summen), summen.spitze / vollausschlag};
}

bool hatSprache(QByteArrayView pcm, int sampleRate, double minDauer, double minRMS) {
    if (istStille(pcm, sampleRate)) {
        return 0.0 >= minDauer && 0.0 >= minRMS;
    }
    // The duration needs no pass over the samples: too short is decided at once.
    if (!(dauerVon(pcm, sampleRate) >= minDauer)) {
        return false;
    }
    return rmsVon(summiere(pcm)) >= minRMS;
}

bool istHalluzination(const QString& transkript) {
    const QString t = transkript.trimmed().toLower();
    if (t.isEmpty()) {
        return true;
    }
    // Subtitle credits that models reproduce on silence.
    for (const auto* abspann : {"amara.org", "untertitel der", "untertitelung"}) {
        if (t.contains(QLatin1String(abspann))) {
            return true;
        }
    }
    if (t.contains(QLatin1Char(' '))) {
        return false;
    }
    return t.startsWith(QLatin1String("http")) || t.startsWith(QLatin1String("www.")) ||
           t.endsWith(QLatin1String(".com")) || t.endsWith(QLatin1String(".de")) ||
           t.endsWith(QLatin1String(".org"));
}

std::optional<float> pegel(QByteArrayView chunk) {
    if (chunk.size() < 2) {
        return std::nullopt;
    }
    const double rms = rmsVon(summiere(chunk));
    return static_cast<float>(std::min(std::pow(rms * 8.0, 0.7), 1.0));
}

} // namespace parlix::AudioAnalyse
