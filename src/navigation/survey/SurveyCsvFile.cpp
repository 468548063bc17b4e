#include "SurveyCsvFile.h"

#include <QDir>
#include <QFileInfo>

SurveyCsvFile::SurveyCsvFile(std::string path, std::string header)
    : path_(std::move(path)), header_(std::move(header))
{
}

std::string SurveyCsvFile::FallbackName(const std::string& path, int i)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::size_t cut = hasExtension ? dot : path.size();
    return path.substr(0, cut) + "_" + std::to_string(i) + path.substr(cut);
}

std::string SurveyCsvFile::CurrentPath() const
{
    return file_.isOpen() ? file_.fileName().toStdString() : std::string();
}

void SurveyCsvFile::Close() { file_.close(); }

bool SurveyCsvFile::openAs(const std::string& name)
{
    file_.setFileName(QString::fromStdString(name));
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    if (file_.size() == 0
        && (file_.write(header_.data(), qint64(header_.size())) != qint64(header_.size()) || !file_.flush())) {
        file_.close();
        return false;
    }
    return true;
}

bool SurveyCsvFile::open()
{
    const QString folder = QFileInfo(QString::fromStdString(path_)).absolutePath();
    if (!QDir(folder).exists() && !QDir().mkpath(folder)) {
        problem_ = "cannot create the folder " + folder.toStdString();
        return false;
    }
    if (openAs(path_)) return true;
    for (int i = 1; i <= 99; ++i)
        if (openAs(FallbackName(path_, i))) return true;
    problem_ = "cannot open " + path_ + " (" + file_.errorString().toStdString() + ")";
    return false;
}

bool SurveyCsvFile::Append(const std::string& line)
{
    // A second attempt opens the file afresh: the folder may have gone, or the
    // file may have been moved away while open.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (file_.isOpen() && !file_.exists()) file_.close();
        if (!file_.isOpen() && !open()) continue;
        if (file_.write(line.data(), qint64(line.size())) == qint64(line.size()) && file_.flush()) return true;
        problem_ = "cannot write to " + CurrentPath() + " (" + file_.errorString().toStdString() + ")";
        file_.close();
    }
    return false;
}
