#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A program folder for one test: Data/, LScripts/, Help/ and Texts/ in a temporary directory.
class TempProgramDir
{
public:
    TempProgramDir();
    QString path() const { return m_dir.path(); }
    QString dataDir() const { return m_dir.path() + QStringLiteral("/Data"); }
    QString file(const QString &relative) const { return m_dir.path() + u'/' + relative; }

    void write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};
