#pragma once

#include <QDateTime>
#include <QString>

namespace tramora {

// The members of one file set; an empty path stands for an absent member.
struct FileSetMembers
{
    QString index;
    QString document;
    QString sinter;
    QString cori;
    QString cpi;
    QString mlri;
};

// Where a set's members go in Temp and what its package and marker are called there. The
// send queue finds packages by their markers and the central reads these names, so they
// must not change.
struct PackagePlan
{
    QString base; // Temp folder + "/" + Cns + "_" + stamp
    FileSetMembers working;
    QString zip; // vArquivoZIP
    QString marker; // vArquivoTXT
    QString nomenclatura; // vNomenclaturaTXT: "-pdf" or "-p7s"
};

// The package stamp "ddmmyyyyhhnnsszzz": 17 digits, milliseconds included.
QString packageStamp(const QDateTime &moment);

// The plan for a set whose present members are given; versao is the index's standard
// version and homolog whether the office sends to homologation.
PackagePlan planPackage(const QString &tempFolder, const QString &cns, const QString &stamp,
                        const QString &versao, bool homolog, const FileSetMembers &present);

// What a marker says: the version on one line, in the workstation's code page.
QByteArray markerContent(const QString &versao);

} // namespace tramora
