// Whole-file reading and writing: what the user reads when the system says no.
#include <gtest/gtest.h>

#include <cerrno>

#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "core/system_error.h"
#include "core/text.h"

namespace kindrela {
namespace {

// Every failure names the file and gives the reason in the program's own
// Windows-1252 French, never the C library's English.
TEST(FileIo, FailuresNameTheFileAndTheReasonInFrench) {
  const std::string absent = std::string(::testing::TempDir()) + "/dossier-absent-é/arbre.kdg"_ansi;
  std::string contenu;
  Statut lu = LitFichier(absent, contenu);
  ASSERT_FALSE(lu.ok());
  EXPECT_EQ(lu.message(), "Impossible d'ouvrir le fichier " + absent +
                              " : le fichier ou le dossier n'existe pas");
  Statut ecrit = EcritFichierAtomique(absent, "x");
  ASSERT_FALSE(ecrit.ok());
  EXPECT_EQ(ecrit.message(), "Impossible d'écrire le fichier "_ansi + absent +
                                 " : le fichier ou le dossier n'existe pas");
  // Shown through the text crossing, no letter comes out as two.
  EXPECT_EQ(AnsiVersUtf8(ecrit.message()).find("Ã"), std::string::npos);
  SimuleEchecEcriture(0);
  Statut plein = EcritFichierAtomique(std::string(::testing::TempDir()) + "/plein.txt", "abc");
  EXPECT_NE(plein.message().find("le disque est plein"), std::string::npos) << plein.message();
}

TEST(FileIo, EveryReasonIsFrenchWindows1252Text) {
  for (int code : {EACCES, EROFS, ENOSPC, ENOENT, ENOTDIR, EISDIR, EIO, 9999}) {
    const std::string raison = RaisonSysteme(code);
    EXPECT_FALSE(raison.empty());
    EXPECT_EQ(AnsiVersUtf8(raison).find("Ã"), std::string::npos) << code;
  }
  EXPECT_EQ(RaisonSysteme(EROFS), "le support est en lecture seule");
  EXPECT_EQ(RaisonSysteme(9999), "erreur système 9999"_ansi);
}

}  // namespace
}  // namespace kindrela
