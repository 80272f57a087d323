#include "build_record.h"

#include <sys/stat.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cstdio>
#include <filesystem>

#include "argument_bytes.h"
#include "out_dir.h"
#include "raster/exceptions.h"

namespace mosaren::cli {

namespace {

// File names are bytes: each goes into the record as Latin-1 text, which maps every byte to one
// character and back.
QJsonObject ObjectOf(const std::map<std::string, std::string>& map) {
    QJsonObject object;
    for (const auto& [key, value] : map) object.insert(FromBytes(key), FromBytes(value));
    return object;
}

std::map<std::string, std::string> MapOf(const QJsonValue& value) {
    std::map<std::string, std::string> map;
    const QJsonObject object = value.toObject();
    for (auto item = object.begin(); item != object.end(); ++item) {
        map[ToBytes(item.key())] = ToBytes(item.value().toString());
    }
    return map;
}

}  // namespace

std::string FileStamp(const std::string& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return "";
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%lld:%lld.%09ld", static_cast<long long>(status.st_size),
                  static_cast<long long>(status.st_mtim.tv_sec), status.st_mtim.tv_nsec);
    return stamp;
}

std::string RecordFile(const std::string& folder, const std::string& projectFile) {
    return InOutDir(folder,
                    "." + std::filesystem::path(projectFile).filename().string() + ".build.json");
}

BuildRecord ReadBuildRecord(const std::string& file) {
    BuildRecord record;
    QFile in(FromBytes(file));
    if (!in.open(QIODevice::ReadOnly)) return record;
    const QJsonObject top = QJsonDocument::fromJson(in.readAll()).object();
    record.program = ToBytes(top.value(QStringLiteral("program")).toString());
    const QJsonObject sets = top.value(QStringLiteral("sets")).toObject();
    for (auto item = sets.begin(); item != sets.end(); ++item) {
        const QJsonObject object = item.value().toObject();
        SetRecord set;
        for (const QJsonValue& argument : object.value(QStringLiteral("settings")).toArray()) {
            set.settings.push_back(ToBytes(argument.toString()));
        }
        set.inputs = MapOf(object.value(QStringLiteral("inputs")));
        set.outputs = MapOf(object.value(QStringLiteral("outputs")));
        set.tiles = MapOf(object.value(QStringLiteral("tiles")));
        record.sets[ToBytes(item.key())] = std::move(set);
    }
    return record;
}

void WriteBuildRecord(const BuildRecord& record, const std::string& file) {
    QJsonObject sets;
    for (const auto& [name, set] : record.sets) {
        QJsonArray settings;
        for (const std::string& argument : set.settings) settings.append(FromBytes(argument));
        QJsonObject object;
        object.insert(QStringLiteral("settings"), settings);
        object.insert(QStringLiteral("inputs"), ObjectOf(set.inputs));
        object.insert(QStringLiteral("outputs"), ObjectOf(set.outputs));
        if (!set.tiles.empty()) object.insert(QStringLiteral("tiles"), ObjectOf(set.tiles));
        sets.insert(FromBytes(name), object);
    }
    QJsonObject top;
    top.insert(QStringLiteral("program"), FromBytes(record.program));
    top.insert(QStringLiteral("sets"), sets);
    QSaveFile out(FromBytes(file));
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(top).toJson()) < 0 ||
        !out.commit()) {
        throw Exception(file + ": Cannot write the build record: " + ToBytes(out.errorString()));
    }
}

}  // namespace mosaren::cli
