// The host stand-in's own texts: its document properties sheet, its
// fallbacks for strings the language library lacks, and the window it shows
// while the device is configured.
#pragma once

namespace tq::host::texts {

constexpr char16_t kPropertiesCaption[] = u"Propriétés du document";
constexpr char16_t kSettingsNotSaved[] =
    u"Les paramètres n'ont pas pu être enregistrés ; les précédents sont conservés.\n";
constexpr char16_t kValueRefused[] = u"Cette valeur ne peut pas être enregistrée :\n";
constexpr char16_t kAutoconfigFailed[] = u"La configuration automatique a échoué :\n";
// What went wrong, after kAutoconfigFailed.
constexpr char16_t kAutoconfigNoFolder[] = u"aucun dossier privé ne peut recevoir le fichier de paramètres.";
constexpr char16_t kAutoconfigParameterFile[] = u"le fichier de paramètres n'a pas pu être écrit.";
constexpr char16_t kAutoconfigNotStarted[] = u"qlautocfg ne peut pas être lancé.";
constexpr char16_t kAutoconfigGone[] = u"qlautocfg s'est arrêté sans donner de réponse.";
constexpr char16_t kAutoconfigBadAnswer[] = u"la réponse de qlautocfg est illisible.";
constexpr char16_t kAutoconfigRefused[] = u"le périphérique a donné des valeurs que les paramètres refusent.";
constexpr char16_t kAutoconfigRunning[] = u"Configuration automatique du périphérique en cours...";

// The sheet's buttons and the secure job's messages when the language
// library lacks their strings (UTF-8 for the messages, which go through the
// error text).
constexpr char16_t kCancelButton[] = u"Annuler";
constexpr char16_t kApplyButton[] = u"A&ppliquer";
constexpr char16_t kHelpButton[] = u"&Aide";
constexpr char16_t kCloseButton[] = u"Fermer";  // OK once Cancel becomes Close
constexpr char kSecureUserEmpty[] = "Le nom d'utilisateur ne peut pas être vide.";
constexpr char kSecurePasswordEmpty[] = "Le mot de passe ne peut pas être vide.";

// What a control shows in place of what it could not be given.
constexpr char16_t kMissingString[] = u"(texte manquant)";
constexpr char16_t kUnknownClass[] = u"(contrôle inconnu)";
constexpr char16_t kBadSpinner[] = u"(compteur incorrect)";

// The agent's desktop notifications (UTF-8): the job's title goes between
// the quotes.
constexpr char kNoticeFaxOpen[] = "Télécopie « ";
constexpr char kNoticeSent[] = " » transmise au périphérique";
constexpr char kNoticeOneRecipient[] = " : 1 destinataire";
constexpr char kNoticeRecipients[] = " destinataires";  // after " : N"
constexpr char kNoticeFailed[] = " » non transmise";
constexpr char kNoticeHeld[] = " » en attente";

}  // namespace tq::host::texts
