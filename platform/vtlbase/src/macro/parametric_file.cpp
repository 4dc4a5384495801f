// Parametric macro files as JSON. Missing keys keep their defaults; a key of the wrong type fails the read.
#include "vtlbase/macro/parametric_file.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/settings.h"

namespace {
using nlohmann::json;

Vtl_StringArray texts(const json& j, const char* key) {
    Vtl_StringArray out;
    if (!j.contains(key)) return out;
    for (const json& t : j.at(key)) out.append(Vtl_String(t.get<std::string>()));
    return out;
}

std::string text(const json& j, const char* key) { return j.contains(key) ? j.at(key).get<std::string>() : std::string(); }

ConstraintRule rule(const json& j) {
    ConstraintRule r;
    r.id = text(j, "id");
    r.rowTexts = texts(j, "row");
    if (j.contains("kinds")) r.kinds = j.at("kinds").get<std::vector<int>>();
    r.value = text(j, "value");
    r.variable = text(j, "variable");
    r.flag1 = j.value("used", false);
    r.flag2 = j.value("fixed", false);
    r.enumTexts = texts(j, "enumeration");
    r.enumIndex = j.value("enumIndex", 0);
    r.pictures = texts(j, "pictures");
    if (j.contains("optionStates")) r.optionStates = j.at("optionStates").get<std::vector<int>>();
    r.offersCut = j.value("cut", false);
    return r;
}

MacroFilterList filter(const json& j) {
    MacroFilterList f;
    for (const json& e : j) {
        f.names.append(Vtl_String(text(e, "name")));
        f.enabled.push_back(e.value("enabled", false));
        f.values.push_back(e.contains("values") ? e.at("values").get<std::vector<double>>() : std::vector<double>{});
        std::vector<std::pair<double, double>> pairs;
        if (e.contains("pairs"))
            for (const json& p : e.at("pairs")) pairs.emplace_back(p.at(0).get<double>(), p.at(1).get<double>());
        f.pairs.push_back(std::move(pairs));
    }
    return f;
}

MacroSettingsData settings(const json& j) {
    MacroSettingsData s;
    s.autoPropose = j.value("autoPropose", true);
    if (j.contains("axisAngle")) s.axisAngle = filter(j.at("axisAngle"));
    if (j.contains("sectionAngle")) s.sectionAngle = filter(j.at("sectionAngle"));
    s.checkPath = j.value("checkPath", false);
    if (j.contains("pathDistance")) s.pathDistance = filter(j.at("pathDistance"));
    if (j.contains("sectionSize")) s.sectionSize = filter(j.at("sectionSize"));
    if (j.contains("dialogs"))
        for (const json& d : j.at("dialogs")) {
            s.entries.append(Vtl_String(text(d, "entry")));
            s.designs.append(Vtl_String(text(d, "design")));
            s.entryTexts.push_back(texts(d, "texts"));
        }
    s.choice1 = j.value("sort", 0);
    s.choice2 = j.value("pictureSize", 0);
    s.number = j.value("columns", 0);
    if (j.contains("variables"))
        for (const json& v : j.at("variables")) {
            s.listTexts.append(Vtl_String(text(v, "name")));
            s.listNumbers.push_back(v.value("value", 0.0));
        }
    s.text1 = text(j, "text1");
    s.text2 = text(j, "text2");
    if (j.contains("pages"))
        for (const json& p : j.at("pages")) {
            s.tableA.append(Vtl_String(text(p, "dialog")));
            s.tableB.append(Vtl_String(text(p, "page")));
            s.tableChoice.push_back(p.value("order", 0));
        }
    return s;
}
}  // namespace

bool parametricMacroFromJson(const std::string& source, ParametricMacroFile& file, std::string& error) {
    try {
        const json j = json::parse(source);
        ParametricMacroFile out;
        out.caption = text(j, "caption");
        for (const json& m : j.at("modules")) {
            ParametricModule module;
            module.name = text(m, "name");
            if (m.contains("rules"))
                for (const json& r : m.at("rules")) module.rules.push_back(rule(r));
            if (m.contains("geometry"))
                for (const json& g : m.at("geometry")) {
                    ConstrGeometry geometry;
                    const Vtl_StringArray t = texts(g, "texts");
                    for (int i = 0; i < 3 && i < t.length(); ++i) geometry.texts[i] = t[i];
                    geometry.flexibility = g.value("flexibility", 1);
                    geometry.constrState = g.value("constrained", -1);
                    module.geometry.push_back(geometry);
                }
            if (m.contains("variables"))
                for (const json& v : m.at("variables")) {
                    module.varNames.append(Vtl_String(text(v, "name")));
                    module.varValues.append(Vtl_String(text(v, "value")));
                    module.varKinds.push_back(static_cast<std::int16_t>(v.value("kind", 0)));
                }
            if (m.contains("dimensions"))
                for (const json& d : m.at("dimensions")) {
                    module.dimNames.append(Vtl_String(text(d, "name")));
                    module.dimValues.append(Vtl_String(text(d, "value")));
                }
            module.equations = texts(m, "equations");
            out.modules.push_back(std::move(module));
        }
        if (j.contains("settings")) out.settings = settings(j.at("settings"));
        file = std::move(out);
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

bool readLibraryParametricMacro(const Vtl_String& name, ParametricMacroFile& file, std::string& error) {
    if (name.isEmpty() || name.hasSubString("\\") || name.hasSubString("/") || name.hasSubString("..")) {
        error = "not a macro name: \"" + name.str() + "\"";
        return false;
    }
    std::string source;
    const Vtl_String path = gSettings.libDir() + Vtl_String("Macros\\") + name + ".pmacro";
    if (!vtl::base::files::readText(path.view(), source, error)) return false;
    return parametricMacroFromJson(source, file, error);
}

AcDbObjectId placeParametricMacroFile(const ParametricMacroFile& file) {
    using vtl::base::DrawingModel;
    using vtl::base::DrawingObjectKind;
    const AcDbObjectId id = DrawingModel::get().add(DrawingObjectKind::macro, file.caption);
    std::vector<ParametricModule> modules = file.modules;
    for (auto& m : modules)
        for (auto& g : m.geometry) g.id = DrawingModel::get().add(DrawingObjectKind::profile, g.texts[0].str());
    EditConstrData::placeParametricMacro(id, std::move(modules));
    placeMacroSettings(id, file.settings);
    return id;
}
