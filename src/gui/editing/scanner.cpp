#include "gui/editing/scanner.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "core/ansi_literal.h"
#include "gui/common/qt_text.h"

#if KINDRELA_SANE
#include <sane/sane.h>
#include <sane/saneopts.h>
#endif

namespace kindrela {

#if KINDRELA_SANE
namespace {

// SANE keeps global state between sane_init and sane_exit: one session at a time.
std::mutex& VerrouSane() {
  static std::mutex m;
  return m;
}

QString Raison(SANE_Status s) { return QString::fromLocal8Bit(sane_strstatus(s)); }

class SessionSane {
 public:
  SessionSane() {
    SANE_Int version = 0;
    m_statut = sane_init(&version, nullptr);
  }
  ~SessionSane() {
    if (m_statut == SANE_STATUS_GOOD) sane_exit();
  }
  SessionSane(const SessionSane&) = delete;
  SessionSane& operator=(const SessionSane&) = delete;
  SANE_Status Statut() const { return m_statut; }

 private:
  SANE_Status m_statut;
};

// The value of a numeric option nearest to `voulu` that the scanner accepts.
SANE_Word ValeurProche(const SANE_Option_Descriptor& d, double voulu) {
  const bool fixe = d.type == SANE_TYPE_FIXED;
  auto enMot = [&](double v) { return fixe ? SANE_FIX(v) : static_cast<SANE_Word>(std::lround(v)); };
  auto enDouble = [&](SANE_Word w) { return fixe ? SANE_UNFIX(w) : static_cast<double>(w); };
  if (d.constraint_type == SANE_CONSTRAINT_WORD_LIST && d.constraint.word_list) {
    const SANE_Word* liste = d.constraint.word_list;
    SANE_Word meilleur = liste[1];
    for (SANE_Int i = 1; i <= liste[0]; ++i)
      if (std::abs(enDouble(liste[i]) - voulu) < std::abs(enDouble(meilleur) - voulu)) meilleur = liste[i];
    return meilleur;
  }
  if (d.constraint_type == SANE_CONSTRAINT_RANGE && d.constraint.range) {
    const SANE_Range& r = *d.constraint.range;
    SANE_Word w = std::clamp(enMot(voulu), r.min, r.max);
    if (r.quant > 0) w = r.min + (w - r.min) / r.quant * r.quant;
    return w;
  }
  return enMot(voulu);
}

// Colour at about 300 dpi when the scanner offers them; its own defaults otherwise.
void ChoisitReglages(SANE_Handle h) {
  for (SANE_Int i = 1;; ++i) {
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, i);
    if (!d) break;
    if (!d->name || !SANE_OPTION_IS_SETTABLE(d->cap) || !SANE_OPTION_IS_ACTIVE(d->cap)) continue;
    SANE_Int info = 0;
    if (std::strcmp(d->name, SANE_NAME_SCAN_MODE) == 0 && d->type == SANE_TYPE_STRING &&
        d->constraint_type == SANE_CONSTRAINT_STRING_LIST) {
      for (const SANE_String_Const* m = d->constraint.string_list; m && *m; ++m) {
        if (std::strcmp(*m, SANE_VALUE_SCAN_MODE_COLOR) != 0) continue;
        std::string valeur(*m);
        valeur.resize(std::max<size_t>(valeur.size() + 1, static_cast<size_t>(d->size)), '\0');
        sane_control_option(h, i, SANE_ACTION_SET_VALUE, valeur.data(), &info);
        break;
      }
    } else if (std::strcmp(d->name, SANE_NAME_SCAN_RESOLUTION) == 0 &&
               (d->type == SANE_TYPE_INT || d->type == SANE_TYPE_FIXED) &&
               d->size == static_cast<SANE_Int>(sizeof(SANE_Word))) {
      SANE_Word w = ValeurProche(*d, 300);
      sane_control_option(h, i, SANE_ACTION_SET_VALUE, &w, &info);
    }
  }
}

// One sample of a line as 8 bits: 16-bit samples are in the machine's order.
inline uint8_t Echantillon(const uint8_t* ligne, int x, int profondeur) {
  if (profondeur == 16) {
    uint16_t v;
    std::memcpy(&v, ligne + 2 * x, 2);
    return static_cast<uint8_t>(v >> 8);
  }
  if (profondeur == 1) return (ligne[x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;  // 1 is black
  return ligne[x];
}

// Writes one frame into `image`: a grey frame into every channel, a colour
// frame as it is, a single channel of a three-pass scan into its own.
void EcritTrame(const SANE_Parameters& p, const std::vector<uint8_t>& octets, QImage& image) {
  const int lignes = p.bytes_per_line > 0 ? static_cast<int>(octets.size() / p.bytes_per_line) : 0;
  const int l = p.pixels_per_line;
  if (image.isNull() || image.width() != l || image.height() < lignes) {
    QImage nouvelle(l, lignes, QImage::Format_RGB32);
    nouvelle.fill(Qt::white);
    image = nouvelle;
  }
  for (int y = 0; y < lignes; ++y) {
    const uint8_t* ligne = octets.data() + static_cast<size_t>(y) * p.bytes_per_line;
    auto* sortie = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < l; ++x) {
      switch (p.format) {
        case SANE_FRAME_GRAY: {
          const uint8_t g = Echantillon(ligne, x, p.depth);
          sortie[x] = qRgb(g, g, g);
          break;
        }
        case SANE_FRAME_RGB:
          sortie[x] = qRgb(Echantillon(ligne, 3 * x, p.depth), Echantillon(ligne, 3 * x + 1, p.depth),
                           Echantillon(ligne, 3 * x + 2, p.depth));
          break;
        case SANE_FRAME_RED:
          sortie[x] = qRgb(Echantillon(ligne, x, p.depth), qGreen(sortie[x]), qBlue(sortie[x]));
          break;
        case SANE_FRAME_GREEN:
          sortie[x] = qRgb(qRed(sortie[x]), Echantillon(ligne, x, p.depth), qBlue(sortie[x]));
          break;
        case SANE_FRAME_BLUE:
          sortie[x] = qRgb(qRed(sortie[x]), qGreen(sortie[x]), Echantillon(ligne, x, p.depth));
          break;
        default: break;
      }
    }
  }
}

}  // namespace

TRechercheScanners RechercheScanners() {
  TRechercheScanners r;
  std::lock_guard verrou(VerrouSane());
  SessionSane session;
  if (session.Statut() != SANE_STATUS_GOOD) {
    r.raison = VersQString("Le service des scanners (SANE) ne démarre pas : "_ansi) + Raison(session.Statut());
    return r;
  }
  const SANE_Device** liste = nullptr;
  const SANE_Status s = sane_get_devices(&liste, SANE_FALSE);
  if (s != SANE_STATUS_GOOD) {
    r.raison = VersQString("La recherche des scanners a échoué : "_ansi) + Raison(s);
    return r;
  }
  for (int i = 0; liste && liste[i]; ++i) {
    const SANE_Device& d = *liste[i];
    QString description = QString::fromLocal8Bit(d.vendor) + " " + QString::fromLocal8Bit(d.model);
    r.scanners.push_back(TScanner{QString::fromLocal8Bit(d.name), description.trimmed()});
  }
  if (r.scanners.empty()) r.raison = VersQString("Aucun scanner n'est branché ni visible sur le réseau."_ansi);
  return r;
}

QImage AcquiertImage(const QString& nom, const std::function<bool(double)>& progres, QString& erreur) {
  erreur.clear();
  std::lock_guard verrou(VerrouSane());
  SessionSane session;
  if (session.Statut() != SANE_STATUS_GOOD) {
    erreur = Raison(session.Statut());
    return {};
  }
  SANE_Handle h = nullptr;
  const QByteArray nomDevice = nom.toLocal8Bit();
  SANE_Status s = sane_open(nomDevice.constData(), &h);
  if (s != SANE_STATUS_GOOD) {
    erreur = VersQString("Le scanner ne s'ouvre pas : "_ansi) + Raison(s);
    return {};
  }
  struct Fermeture {
    SANE_Handle h;
    ~Fermeture() {
      sane_cancel(h);
      sane_close(h);
    }
  } fermeture{h};
  ChoisitReglages(h);

  QImage image;
  std::vector<uint8_t> tampon(64 * 1024);
  for (int trame = 0; trame < 3; ++trame) {  // at most three passes: red, green, blue
    s = sane_start(h);
    if (s != SANE_STATUS_GOOD) {
      erreur = VersQString("Le scanner ne démarre pas : "_ansi) + Raison(s);
      return {};
    }
    SANE_Parameters p{};
    s = sane_get_parameters(h, &p);
    if (s != SANE_STATUS_GOOD || p.bytes_per_line <= 0 || p.pixels_per_line <= 0 ||
        (p.depth != 1 && p.depth != 8 && p.depth != 16)) {
      erreur = VersQString("Le scanner donne une image d'un format inconnu."_ansi);
      return {};
    }
    // Hand scanners do not know the height beforehand (lines < 0).
    const double attendu = p.lines > 0 ? static_cast<double>(p.lines) * p.bytes_per_line : 0;
    const double passes = p.format == SANE_FRAME_GRAY || p.format == SANE_FRAME_RGB ? 1 : 3;
    std::vector<uint8_t> octets;
    if (attendu > 0) octets.reserve(static_cast<size_t>(attendu));
    while (true) {
      SANE_Int lus = 0;
      s = sane_read(h, tampon.data(), static_cast<SANE_Int>(tampon.size()), &lus);
      if (s == SANE_STATUS_EOF) break;
      if (s != SANE_STATUS_GOOD) {
        erreur = s == SANE_STATUS_CANCELLED ? VersQString("Acquisition arrêtée."_ansi)
                                            : VersQString("Le scanner s'est arrêté : "_ansi) + Raison(s);
        return {};
      }
      octets.insert(octets.end(), tampon.begin(), tampon.begin() + lus);
      const double partie = attendu > 0 ? std::min(1.0, static_cast<double>(octets.size()) / attendu) : 0.5;
      if (progres && !progres((trame + partie) / passes)) {
        erreur = VersQString("Acquisition arrêtée."_ansi);
        return {};
      }
    }
    EcritTrame(p, octets, image);
    if (p.last_frame) break;
  }
  if (image.isNull() || image.height() == 0) {
    erreur = VersQString("Le scanner n'a rien envoyé."_ansi);
    return {};
  }
  return image;
}

#else  // built without SANE

TRechercheScanners RechercheScanners() {
  return TRechercheScanners{{}, VersQString("Cette version a été construite sans SANE, l'interface des scanners."_ansi)};
}

QImage AcquiertImage(const QString&, const std::function<bool(double)>&, QString& erreur) {
  erreur = RechercheScanners().raison;
  return {};
}

#endif

}  // namespace kindrela
