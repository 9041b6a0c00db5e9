#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempProgramDir::TempProgramDir()
{
    QDir dir(m_dir.path());
    for (const char *sub : {"Data", "LScripts", "Help", "Texts"})
        dir.mkpath(QLatin1String(sub));
}

void TempProgramDir::write(const QString &relative, const QByteArray &bytes) const
{
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
}

QByteArray TempProgramDir::read(const QString &relative) const
{
    QFile in(file(relative));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

bool TempProgramDir::exists(const QString &relative) const
{
    return QFileInfo::exists(file(relative));
}
