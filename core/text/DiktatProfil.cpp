#include "core/text/DiktatProfil.hpp"

#include "core/util/Finde.hpp"

#include <array>

namespace parlix {

namespace {

constexpr std::array<DiktatProfil, 4> profile{{
    {DiktatProfil::Fall::keins, u"Keins", u"profil.keins", u"", u""},
    {DiktatProfil::Fall::medizin, u"Medizin", u"profil.medizin",
     u"Domäne: medizinisches Diktat (Befund/Arztbrief). Behalte Fachbegriffe — Diagnosen, "
     u"Anatomie, Medikamente, Dosierungen, Laborwerte und übliche Abkürzungen (z.B. „Z.n.“, "
     u"„a.e.“, „i.v.“, „V.a.“) — EXAKT bei und korrigiere sie nicht weg. Schreibe "
     u"sachlich-klinisch in vollständigen Sätzen und behalte die übliche Befund-Struktur bei.",
     u"Anamnese, Diagnose, Befund, Sonographie, Auskultation, Palpation, intravenös, subkutan, "
     u"Z.n., a.e., V.a., Hypertonie, Tachykardie"},
    {DiktatProfil::Fall::recht, u"Recht", u"profil.recht",
     u"Domäne: juristisches Diktat (Schriftsatz/Vermerk). Schreibe förmlich und präzise in "
     u"vollständigen Sätzen. Behalte juristische Fachbegriffe, Paragraphen und Aktenzeichen EXAKT "
     u"bei (z.B. „§ 433 BGB“, „Az.“, „i.S.v.“). Keine Umgangssprache, keine Füllwörter.",
     u"BGB, ZPO, StGB, HGB, Az., Schriftsatz, Kläger, Beklagter, Berufung, Klageschrift, "
     u"Tatbestand, Entscheidungsgründe"},
    {DiktatProfil::Fall::entwickler, u"Entwickler", u"profil.entwickler",
     u"Domäne: technisches Diktat (Software-Entwicklung). Behalte englische Fachbegriffe, "
     u"Bibliotheks-/Tool-/API-Namen, CamelCase und Code-Bezeichner UNVERÄNDERT und „korrigiere“ "
     u"sie nicht ins Deutsche oder in andere Schreibweisen. Knapp und technisch.",
     u"Swift, Python, JavaScript, TypeScript, API, Endpoint, Repository, Commit, Pull Request, "
     u"Deployment, Docker, Kubernetes, Backend, Frontend"},
}};

} // namespace

std::span<const DiktatProfil> DiktatProfil::alle() {
    return profile;
}

std::optional<DiktatProfil> DiktatProfil::aus(QStringView rohwert) {
    return findeErstes(profile, [rohwert](const DiktatProfil& p) { return p.rohwert == rohwert; });
}

} // namespace parlix
