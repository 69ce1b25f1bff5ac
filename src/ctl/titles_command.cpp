#include "titles_command.h"

#include <ostream>

#include "base/settings_file_io.h"
#include "base/sjis_codec.h"
#include "settings/settings_file.h"
#include "settings/titles_file.h"

namespace tlx::ctl {

namespace {

constexpr int kRefused = 1;
constexpr int kFileError = 2;

int failWith(std::ostream& err, const std::string& message) {
    err << "tlx500ctl: " << message << "\n";
    return kFileError;
}

bool loadModel(const std::string& path, Product p, SettingsModel& model, std::ostream& err) {
    const auto file = readWholeFile(path);
    if (!file.bytes) {
        failWith(err, "cannot read " + path + ": " + file.reason);
        return false;
    }
    resetModelToDefaults(model, p);
    const auto r = readSettingsFile(*file.bytes, model, p);
    if (!r.complete() || r.linesRejected > 0 || r.extraLines) {
        failWith(err, path + " is not a complete model " + std::string(1, traits(p).letter) +
                          " settings file (" + std::to_string(r.linesUsed) + " of " +
                          std::to_string(r.linesExpected) + " lines usable)");
        return false;
    }
    return true;
}

bool save(const std::string& path, std::string_view bytes, std::ostream& err) {
    const auto w = writeFileAtomically(path, bytes);
    if (!w.ok()) {
        failWith(err, "cannot write " + path + ": " + w.reason);
    }
    return w.ok();
}

} // namespace

int runTitles(const Options& o, std::ostream& out, std::ostream& err) {
    const Product p = o.product;
    const auto codec = makeSjisCodec();
    if (!codec) {
        return failWith(err, "this system cannot convert code page 932 (Shift-JIS)");
    }
    const std::string& datPath = o.titleArgs.at(1);
    SettingsModel model;
    if (!loadModel(datPath, p, model, err)) {
        return kFileError;
    }
    if (o.titleArgs[0] == "export") {
        const std::string target = o.titleArgs.size() > 2 ? o.titleArgs[2] : std::string();
        const auto result = exportTitles(model, p, titlesFormatOf(target), *codec);
        for (const auto& [page, line] : result.unreadable) {
            err << "tlx500ctl: warning: page " << page + 1;
            if (p == Product::F) {
                err << " line " << line + 1;
            }
            err << " holds bytes that are not Shift-JIS text, written as U+FFFD\n";
        }
        if (target.empty()) {
            out << result.bytes;
            out.flush();
            return out ? 0 : kFileError;
        }
        return save(target, result.bytes, err) ? 0 : kFileError;
    }
    const std::string& textPath = o.titleArgs.at(2);
    const auto import = readTitlesFile(textPath, p, *codec);
    if (!import.readFailure.empty()) {
        return failWith(err, "cannot read " + textPath + ": " + import.readFailure);
    }
    for (const auto& d : import.duplicates) {
        err << "tlx500ctl: warning: " << titleDuplicateText(d, p, TitlesLanguage::English) << "\n";
    }
    if (!import.ok()) {
        for (const auto& e : import.errors) {
            err << "tlx500ctl: " << textPath << ": " << titleRowErrorText(e, p, TitlesLanguage::English)
                << "\n";
        }
        if (import.errorCount > import.errors.size()) {
            err << "tlx500ctl: " << import.errorCount - import.errors.size() << " more rows refused\n";
        }
        err << "tlx500ctl: nothing imported\n";
        return kRefused;
    }
    applyTitles(import, model, p, o.replaceAll);
    const std::string target = o.outPath.empty() ? datPath : o.outPath;
    if (!save(target, writeSettingsFile(model, p), err)) {
        return kFileError;
    }
    err << "tlx500ctl: " << import.rows.size() << " rows imported into " << target << "\n";
    return 0;
}

} // namespace tlx::ctl
