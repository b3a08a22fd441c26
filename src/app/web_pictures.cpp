#include "app/web_pictures.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "analysis/web_page.h"
#include "core/file_io.h"

namespace kindrela {

namespace {

// 8-bit RGB pixels, row after row.
struct Image {
  int largeur = 0, hauteur = 0;
  std::vector<unsigned char> rgb;
};

struct ErreurJpeg {
  jpeg_error_mgr mgr;
  std::jmp_buf saut;
};

void SortieErreurJpeg(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErreurJpeg*>(info->err)->saut, 1);
}

bool LitJpeg(const std::string& octets, Image& image) {
  jpeg_decompress_struct info{};
  ErreurJpeg erreur{};
  info.err = jpeg_std_error(&erreur.mgr);
  erreur.mgr.error_exit = SortieErreurJpeg;
  if (setjmp(erreur.saut)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(octets.data()),
               static_cast<unsigned long>(octets.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image.largeur = static_cast<int>(info.output_width);
  image.hauteur = static_cast<int>(info.output_height);
  image.rgb.assign(static_cast<size_t>(image.largeur) * image.hauteur * 3, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW ligne = image.rgb.data() + static_cast<size_t>(info.output_scanline) * image.largeur * 3;
    jpeg_read_scanlines(&info, &ligne, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image.largeur > 0 && image.hauteur > 0;
}

bool LitPng(const std::string& octets, Image& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, octets.data(), octets.size())) return false;
  png.format = PNG_FORMAT_RGB;
  image.largeur = static_cast<int>(png.width);
  image.hauteur = static_cast<int>(png.height);
  image.rgb.assign(PNG_IMAGE_SIZE(png), 0);
  // Transparent parts over white, as a browser shows them on a light page.
  png_color blanc{255, 255, 255};
  if (!png_image_finish_read(&png, &blanc, image.rgb.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  return image.largeur > 0 && image.hauteur > 0;
}

// Area-average reduction: every source pixel counts once.
Image Reduit(const Image& s, int cote) {
  if (cote <= 0 || (s.largeur <= cote && s.hauteur <= cote)) return s;
  const double echelle = static_cast<double>(cote) / std::max(s.largeur, s.hauteur);
  Image d;
  d.largeur = std::max(1, static_cast<int>(s.largeur * echelle + 0.5));
  d.hauteur = std::max(1, static_cast<int>(s.hauteur * echelle + 0.5));
  d.rgb.assign(static_cast<size_t>(d.largeur) * d.hauteur * 3, 0);
  for (int y = 0; y < d.hauteur; ++y) {
    const int y0 = static_cast<int>(static_cast<long long>(y) * s.hauteur / d.hauteur);
    const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<long long>(y + 1) * s.hauteur / d.hauteur));
    for (int x = 0; x < d.largeur; ++x) {
      const int x0 = static_cast<int>(static_cast<long long>(x) * s.largeur / d.largeur);
      const int x1 = std::max(x0 + 1, static_cast<int>(static_cast<long long>(x + 1) * s.largeur / d.largeur));
      unsigned long somme[3] = {0, 0, 0};
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx)
          for (int c = 0; c < 3; ++c) somme[c] += s.rgb[(static_cast<size_t>(sy) * s.largeur + sx) * 3 + c];
      const unsigned long n = static_cast<unsigned long>(y1 - y0) * static_cast<unsigned long>(x1 - x0);
      for (int c = 0; c < 3; ++c)
        d.rgb[(static_cast<size_t>(y) * d.largeur + x) * 3 + c] = static_cast<unsigned char>(somme[c] / n);
    }
  }
  return d;
}

bool EcritJpeg(const Image& image, int qualite, std::string& sortie) {
  jpeg_compress_struct info{};
  ErreurJpeg erreur{};
  info.err = jpeg_std_error(&erreur.mgr);
  erreur.mgr.error_exit = SortieErreurJpeg;
  unsigned char* tampon = nullptr;
  unsigned long taille = 0;
  if (setjmp(erreur.saut)) {
    jpeg_destroy_compress(&info);
    std::free(tampon);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &tampon, &taille);
  info.image_width = static_cast<JDIMENSION>(image.largeur);
  info.image_height = static_cast<JDIMENSION>(image.hauteur);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, std::clamp(qualite, 1, 100), TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW ligne = const_cast<unsigned char*>(image.rgb.data()) +
                     static_cast<size_t>(info.next_scanline) * image.largeur * 3;
    jpeg_write_scanlines(&info, &ligne, 1);
  }
  jpeg_finish_compress(&info);
  sortie.assign(reinterpret_cast<const char*>(tampon), taille);
  jpeg_destroy_compress(&info);
  std::free(tampon);
  return true;
}

}  // namespace

Statut EncodeImageJpeg(const std::string& source, const std::string& cible, int cote, int qualite) {
  std::string octets;
  if (Statut s = LitFichier(source, octets); !s) return s;
  Image image;
  const bool png = octets.size() >= 8 && std::memcmp(octets.data(), "\x89PNG\r\n\x1a\n", 8) == 0;
  const bool lu = png ? LitPng(octets, image) : LitJpeg(octets, image);
  if (!lu) return Statut::Erreur("Not a JPEG or PNG picture: " + source);
  std::string jpeg;
  if (!EcritJpeg(Reduit(image, cote), qualite, jpeg)) return Statut::Erreur("Cannot encode " + cible);
  return EcritPageWeb(cible, jpeg);
}

}  // namespace kindrela
