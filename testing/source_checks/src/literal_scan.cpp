#include "literal_scan.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <set>

namespace tq::source_checks {

namespace {

constexpr std::string_view kNotATextMarker = "not-a-text";

bool IsIdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool IsRawPrefix(std::string_view identifier) {
  return identifier == "R" || identifier == "LR" || identifier == "uR" || identifier == "UR" ||
         identifier == "u8R";
}

// Walks a source once, keeping the line number of the current position.
class Scanner {
 public:
  explicit Scanner(std::string_view source) : source_(source) {}

  std::vector<Literal> Run() {
    while (pos_ < source_.size()) {
      const char c = source_[pos_];
      if (c == '/' && Peek(1) == '/') {
        LineComment();
      } else if (c == '/' && Peek(1) == '*') {
        BlockComment();
      } else if (c == '#' && AtLineStart()) {
        Directive();
      } else if (c == '"') {
        String(rawPrefixEnd_ == pos_);
      } else if (c == '\'') {
        CharLiteral();
      } else if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
        Number();
      } else if (IsIdentifierChar(c)) {
        Identifier();
      } else {
        Advance();
      }
    }
    std::vector<Literal> kept;
    for (Literal& literal : literals_) {
      if (!Exempt(literal.line)) kept.push_back(std::move(literal));
    }
    return kept;
  }

 private:
  // A marker covers its own line and the lines below it up to the next
  // blank line: the declaration or block that the comment heads.
  bool Exempt(int line) const {
    auto marker = exemptLines_.upper_bound(line);
    if (marker == exemptLines_.begin()) return false;
    --marker;
    for (int between = *marker + 1; between <= line; ++between) {
      if (blankLines_.contains(between)) return false;
    }
    return true;
  }

  char Peek(size_t ahead) const {
    return pos_ + ahead < source_.size() ? source_[pos_ + ahead] : '\0';
  }

  void Advance() {
    if (source_[pos_] == '\n') {
      ++line_;
      if (LineIsBlank()) blankLines_.insert(line_);
    }
    ++pos_;
  }

  // Whether the line that starts after the newline at pos_ holds only blanks.
  bool LineIsBlank() const {
    for (size_t i = pos_ + 1; i < source_.size() && source_[i] != '\n'; ++i) {
      if (source_[i] != ' ' && source_[i] != '\t' && source_[i] != '\r') return false;
    }
    return true;
  }

  bool AtLineStart() const {
    for (size_t i = pos_; i > 0; --i) {
      const char before = source_[i - 1];
      if (before == '\n') return true;
      if (before != ' ' && before != '\t') return false;
    }
    return true;
  }

  void LineComment() {
    const size_t end = std::min(source_.find('\n', pos_), source_.size());
    if (source_.substr(pos_, end - pos_).find(kNotATextMarker) != std::string_view::npos) {
      exemptLines_.insert(line_);
    }
    pos_ = end;
  }

  void BlockComment() {
    const size_t end = source_.find("*/", pos_ + 2);
    const size_t stop = end == std::string_view::npos ? source_.size() : end + 2;
    while (pos_ < stop) Advance();
  }

  // An #include names a file, not a text; other directives are scanned as
  // code (a #define may hold a text).
  void Directive() {
    size_t word = pos_ + 1;
    while (word < source_.size() && (source_[word] == ' ' || source_[word] == '\t')) ++word;
    if (source_.substr(word, 7) != "include") {
      Advance();
      return;
    }
    while (pos_ < source_.size() && source_[pos_] != '\n') {
      if (source_[pos_] == '/' && (Peek(1) == '/' || Peek(1) == '*')) return;
      ++pos_;
    }
  }

  void String(bool raw) {
    Literal literal{line_, {}};
    Advance();  // the opening quote
    if (raw) {
      const size_t open = source_.find('(', pos_);
      if (open == std::string_view::npos) {
        pos_ = source_.size();
        return;
      }
      const std::string closing = ")" + std::string(source_.substr(pos_, open - pos_)) + "\"";
      pos_ = open + 1;
      const size_t close = source_.find(closing, pos_);
      const size_t end = close == std::string_view::npos ? source_.size() : close;
      literal.body = std::string(source_.substr(pos_, end - pos_));
      while (pos_ < end) Advance();
      pos_ = std::min(source_.size(), end + closing.size());
    } else {
      while (pos_ < source_.size() && source_[pos_] != '"' && source_[pos_] != '\n') {
        if (source_[pos_] == '\\' && pos_ + 1 < source_.size()) {
          literal.body += source_[pos_];
          Advance();
        }
        literal.body += source_[pos_];
        Advance();
      }
      if (pos_ < source_.size() && source_[pos_] == '"') Advance();
    }
    literals_.push_back(std::move(literal));
  }

  void CharLiteral() {
    Advance();
    while (pos_ < source_.size() && source_[pos_] != '\'' && source_[pos_] != '\n') {
      if (source_[pos_] == '\\') Advance();
      if (pos_ < source_.size()) Advance();
    }
    if (pos_ < source_.size() && source_[pos_] == '\'') Advance();
  }

  // A number, digit separators (1'000) and exponents (1e-5) included.
  void Number() {
    while (pos_ < source_.size()) {
      const char c = source_[pos_];
      const bool separator = c == '\'' && IsIdentifierChar(Peek(1));
      const bool sign = (c == '+' || c == '-') && pos_ > 0 &&
                        std::string_view("eEpP").find(source_[pos_ - 1]) != std::string_view::npos;
      if (!IsIdentifierChar(c) && c != '.' && !separator && !sign) break;
      ++pos_;
    }
  }

  void Identifier() {
    const size_t start = pos_;
    while (pos_ < source_.size() && IsIdentifierChar(source_[pos_])) ++pos_;
    rawPrefixEnd_ = IsRawPrefix(source_.substr(start, pos_ - start)) ? pos_ : std::string_view::npos;
  }

  std::string_view source_;
  size_t pos_ = 0;
  int line_ = 1;
  size_t rawPrefixEnd_ = std::string_view::npos;
  std::vector<Literal> literals_;
  std::set<int> exemptLines_;
  std::set<int> blankLines_;
};

// The words of a literal, lowercased. Escapes and printf conversions are no
// words; a single letter is one only as an elision (d', l', n', qu').
std::vector<std::string> LowercaseWords(std::string_view body) {
  std::vector<std::string> words;
  std::string word;
  const auto end_word = [&](bool elision) {
    if (word.size() > 1 || (elision && !word.empty())) words.push_back(word);
    word.clear();
  };
  for (size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (c == '\\' || c == '%') {
      end_word(false);
      ++i;  // the escaped character or the conversion's first character
      if (c == '\\' && i < body.size() && body[i] == 'x') {
        while (i + 1 < body.size() && std::isxdigit(static_cast<unsigned char>(body[i + 1])) != 0) ++i;
      }
      while (c == '%' && i < body.size() && std::isalpha(static_cast<unsigned char>(body[i])) == 0) ++i;
    } else if (std::isalpha(static_cast<unsigned char>(c)) != 0) {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else {
      end_word(c == '\'');
    }
  }
  end_word(false);
  return words;
}

// Words of French prose that English messages, identifiers and file names
// do not use.
constexpr std::string_view kFrenchWords[] = {
    "aide", "ajouter", "annuaire", "annuaires", "annuler", "associer", "aucun", "aucune",
    "automatique", "avec", "ces", "cette", "composition", "contient", "continuer", "dans",
    "destinataire", "destinataires", "dissocier", "entrer", "entrez", "envoi", "envoyer", "erreur",
    "est", "existe", "fermer", "fichier", "fichiers", "groupe", "groupes", "importer", "imprimer",
    "inconnu", "liste", "manquant", "modifier", "mot", "nom", "nombre", "nouveau", "nouvelle",
    "ouvrir", "parcourir", "pas", "passe", "peut", "pour", "rechercher", "remplacer", "sont",
    "souhaitez", "suivant", "supprimer", "sur", "terminer", "texte", "valide", "vers", "veuillez",
    "vos", "votre", "voulez", "vous",
};

// French articles and prepositions, telling only in a literal of several words.
constexpr std::string_view kFrenchLinkWords[] = {
    "le", "la", "les", "l", "d", "n", "qu", "de", "des", "du", "un", "une", "au", "aux", "et", "ou",
};

}  // namespace

std::vector<Literal> StringLiterals(std::string_view source) { return Scanner(source).Run(); }

bool LooksFrench(std::string_view body) {
  if (std::any_of(body.begin(), body.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
    return true;
  }
  const std::vector<std::string> words = LowercaseWords(body);
  const auto in = [](const auto& list, const std::string& word) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
  };
  // Link words count in prose only, not in names such as "UTF-16LE".
  const bool prose = words.size() >= 2 && body.find(' ') != std::string_view::npos;
  for (const std::string& word : words) {
    if (in(kFrenchWords, word)) return true;
    if (prose && in(kFrenchLinkWords, word)) return true;
  }
  return false;
}

}  // namespace tq::source_checks
