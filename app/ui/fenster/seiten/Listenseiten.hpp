#pragma once

class QWidget;

namespace parlix {

class SettingsModel;
class Texte;

// The panes of the custom voice commands and of the text snippets.
QWidget* befehleSeite(SettingsModel& model, const Texte& texte);
QWidget* bausteineSeite(SettingsModel& model, const Texte& texte);

} // namespace parlix
