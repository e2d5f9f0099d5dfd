#include "app/anbieter/AnbieterVorlage.hpp"

#include <algorithm>
#include <array>

namespace parlix {

namespace {

constexpr std::array<AnbieterVorlage, 4> vorlagen{{
    {u"groq", u"Groq", u"https://api.groq.com/openai/v1", u"whisper-large-v3",
     u"openai/gpt-oss-120b", u"meta-llama/llama-4-scout-17b-16e-instruct"},
    {u"mistral", u"Mistral", u"https://api.mistral.ai/v1", u"voxtral-mini-latest",
     u"mistral-medium-latest", u"mistral-medium-latest"},
    {u"openai", u"OpenAI", u"https://api.openai.com/v1", u"gpt-4o-mini-transcribe", u"gpt-4.1-mini",
     u"gpt-4.1-mini"},
    // Local servers answer to whatever name they were started with; these are common.
    {u"andere", u"", u"", u"whisper-large-v3", u"llama3", u"llava"},
}};

} // namespace

std::span<const AnbieterVorlage> AnbieterVorlage::alle() {
    return vorlagen;
}

const AnbieterVorlage* AnbieterVorlage::finde(QStringView id) {
    const auto* treffer = std::ranges::find(vorlagen, id, &AnbieterVorlage::id);
    return treffer == vorlagen.end() ? nullptr : treffer;
}

} // namespace parlix
