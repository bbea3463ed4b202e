// The driver's strings outside its property pages: overlays, the font file
// warning, the about box, print to file, option names, optimisation help,
// overlay storage, the watermark page and the property sheet's buttons.
#include "library_model.h"
#include "parts.h"

namespace tq::qlres {
namespace {

const res::StringResource kStrings[] = {
    // Overlay (form) files.
    {352, u"Charger un recouvrement"},
    {353, u"Créer un recouvrement"},
    {354, u"Supprimer le recouvrement"},
    {355, u"Impossible de charger le fichier de recouvrement %s."},
    {356, u"Impossible de créer le fichier de recouvrement %s."},
    {357, u"Impossible de supprimer le fichier de recouvrement %s."},
    {358, u"Le fichier %s n'est pas un fichier de recouvrement valide."},
    {359, u"Le recouvrement %s existe déjà. Voulez-vous le remplacer ?"},
    {360, u"Voulez-vous vraiment supprimer le recouvrement %s ?"},
    {361, u"Nom du recouvrement :"},
    {362, u"Le nom du recouvrement ne peut pas être vide."},
    {363, u"OVP|"},
    {364, u"Fichiers de recouvrement (*.OVP)|*.ovp|Tous les fichiers (*.*)|*.*||"},
    {365, u"Le disque est plein : le recouvrement n'a pas été enregistré."},
    {366, u"Le recouvrement est trop volumineux pour la mémoire de l'imprimante."},
    {367, u"Enregistrement du recouvrement en cours..."},
    {368, u"Le recouvrement a été créé."},
    {369, u"Le recouvrement a été supprimé."},
    {370, u"Aucun recouvrement n'est sélectionné."},
    {371, u"Recouvrement"},
    {372, u"Le nombre maximal de recouvrements (%d) est atteint."},

    // The warning at the head of the font information file (English).
    {600, u"This file was created by the "},
    {601, u"Windows' Test PCL XL "},
    {602, u"printer driver."},
    {603, u"DO NOT ALTER ITS CONTENTS.  "},
    {604, u"Delete this file whenever you "},
    {605, u"want the driver to rebuild its "},
    {606, u"font information."},

    // Help file and about box.
    {700, HelpFileName(LibraryModel())},
    {701, u"%s on %s"},
    {702, u"À propos de : %s sur %s"},
    {703, u"À propos de : %s"},
    {704, u"(débogage)"},
    {705, u"(information manquante)"},
    {706, u"Version %s"},
    {707, u"Fichier : %s"},
    {715, u"Pilote d'imprimante"},
    {740, u"Composants du pilote :"},
    {760, u"DLL principale PCL"},
    {761, u"DLL principale Interface"},
    {762, u"DLL feuille de propriétés"},
    {763, u"Ressource langue"},
    {764, u"Ressource polices"},
    {765, u"Module complémentaire"},

    // Job finishing player and print to file.
    {800, u"Impression dans un fichier"},
    {801, u"Nom du fichier de sortie :"},
    {802, u"Fichiers d'impression (*.PRN)|*.prn|Tous les fichiers (*.*)|*.*||"},
    {803, u"Impossible de créer le fichier %s."},
    {804, u"Le fichier %s existe déjà. Voulez-vous le remplacer ?"},
    {805, u"Finition du travail"},
    {806, u"Envoi du travail à l'imprimante..."},
    {807, u"Le travail a été envoyé."},
    {808, u"Le travail a été annulé."},
    {809, u"Finition : page %d sur %d"},
    {810, u"La finition demandée n'est pas disponible sur cette imprimante."},
    {811, u"Écriture du fichier interrompue : le disque est plein."},

    // Option names the driver writes in English.
    {1000, u"Letter"},
    {1001, u"Legal"},
    {1002, u"Executive"},
    {1003, u"Ledger"},
    {1004, u"Statement"},
    {1005, u"Back channel"},
    {1006, u"Compatibility mode"},
    {1007, u"Optimise for speed"},
    {1008, u"Optimise for quality"},
    {1009, u"Bitmap compression"},
    {1010, u"None"},
    {1011, u"Run Length Encoding"},
    {1012, u"JPEG Encoding"},
    {1013, u"JPEG quality"},
    {1014, u"Low"},
    {1015, u"Medium"},
    {1016, u"High"},
    {1017, u"Best"},

    // Optimisation help.
    {4000, u"Choisissez comment le pilote compresse les images envoyées à l'imprimante."},
    {4001, u"Aucune : les images partent telles quelles et le travail est plus volumineux."},
    {4002, u"Codage par plages : sans perte, efficace pour les aplats et les dessins."},
    {4003, u"Codage JPEG : pour les photographies, réduit fortement la taille du travail."},
    {4004, u"La qualité JPEG règle le compromis entre la taille du travail et la finesse des images."},
    {4005, u"Le mode de compatibilité évite les commandes que d'anciens modèles refusent."},

    // Where an overlay is kept.
    {6500, u"Emplacement du recouvrement"},
    {6501, u"Disque dur local"},
    {6502, u"Mémoire imprimante"},
    {6503, u"Disque dur de l'imprimante"},
    {6504, u"Dossier partagé"},
    {6505, u"Choisissez où le recouvrement est conservé."},
    {6506, u"Disque dur local : le recouvrement part avec chaque travail."},
    {6507, u"Mémoire imprimante : le recouvrement est chargé une fois et perdu à l'arrêt de l'imprimante."},
    {6508, u"Disque dur de l'imprimante : le recouvrement reste chargé après l'arrêt de l'imprimante."},
    {6509, u"Le disque dur de l'imprimante n'est pas installé."},
    {6510, u"Espace libre : %d Ko"},
    {6511, u"L'espace est insuffisant à cet emplacement."},
    {6512, u"Dossier :"},
    {6513, u"Parcourir..."},
    {6520, u"Chargement dans l'imprimante..."},
    {6521, u"Le recouvrement a été chargé dans l'imprimante."},
    {6522, u"Le chargement dans l'imprimante a échoué."},
    {6540, u"Imprimer le recouvrement sur :"},
    {6541, u"Toutes les pages"},
    {6542, u"Première page seulement"},
    {6545, u"Dernière page seulement"},

    {10100, u"Watermark AddOn"},

    // The watermark page.
    {19000, u"Filigrane"},
    {19001, u"&Filigrane :"},
    {19002, u"&Nouveau..."},
    {19003, u"&Modifier..."},
    {19004, u"&Supprimer"},
    {19005, u"&Texte :"},
    {19006, u"&Police :"},
    {19007, u"&Taille :"},
    {19008, u"&Angle :"},
    {19009, u"&Couleur :"},
    {19010, u"Position &horizontale :"},
    {19011, u"Position &verticale :"},
    {19012, u"&Première page seulement"},
    {19013, u"C&ontour seulement"},
    {19014, u"(Aucun)"},
    {19015, u"PQWATER.INI"},
    {19016, HelpFileName(LibraryModel())},
    {19017, u"Aperçu"},
    {19018, u"&Gras"},
    {19019, u"&Italique"},
    {19020, u"C&entrer"},
    {19021, u"Choisissez le filigrane imprimé sur les pages du document."},
    {19022, u"Tapez le texte du filigrane."},
    {19023, u"Faites glisser le filigrane dans l'aperçu pour le placer."},
    {19024, u"Faites tourner le filigrane dans l'aperçu en le faisant glisser avec le bouton droit."},
    {19025, u"Voulez-vous vraiment supprimer le filigrane %s ?"},
    {19026, u"Un filigrane nommé %s existe déjà."},
    {19027, u"Le texte du filigrane ne peut pas être vide."},
    {19028, u"Impossible d'enregistrer les filigranes dans %s."},
    {19029, u"Times New Roman"},
    {19030, u"120"},
    {19031, u"45"},
    {19032, u"CONFIDENTIEL"},
    {19033, u"Nouveau filigrane"},
    {19034, u"Gris clair"},
    {19035, u"Gris foncé"},
    {19036, u"Noir"},
    {19037, u"Rouge"},
    {19038, u"Bleu"},
    {19039, u"Imprimer en &arrière-plan"},
    {19040, u"Imprimer au premier pl&an"},

    // Predefined watermarks: horizontal and vertical offset from the page
    // centre (tenths of a millimetre), red, green and blue, angle (tenths of
    // a degree), weight, italic, outline only, size (points), font, text.
    {19101, u"0,0,192,192,192,540,700,0,0,120,Times New Roman,CONFIDENTIEL"},
    {19102, u"0,0,192,192,192,540,700,0,0,120,Times New Roman,COPIE"},
    {19103, u"0,0,192,192,192,540,700,0,1,120,Arial,BROUILLON"},
    {19104, u"0,0,255,0,0,0,700,0,0,96,Arial,URGENT"},
    {19105, u"0,-800,128,128,128,0,400,1,0,72,Times New Roman,ORIGINAL"},
    {19106, u"0,0,192,192,192,540,700,0,1,96,Arial,NE PAS COPIER"},

    {20100, u"Fax AddOn"},

    // The property sheet's buttons, each with its width after the line break.
    {61984, u"OK\n50"},
    {61985, u"Annuler\n50"},
    {61986, u"A&ppliquer\n50"},
    {61987, u"&Aide\n50"},
    {61988, u"Fermer"},
};

}  // namespace

std::span<const res::StringResource> DriverStrings() { return kStrings; }

}  // namespace tq::qlres
