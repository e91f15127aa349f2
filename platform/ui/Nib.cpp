// SPDX-License-Identifier: Apache-2.0
// Interface description loader: objects, views, properties, outlets and actions, all or nothing.
#include "ui/Nib.h"

#include "ui/ClassRegistry.h"
#include "ui/Control.h"
#include "ui/View.h"

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

namespace ui {
namespace {

std::vector<Nib*>& liveNibs()
{
    static std::vector<Nib*> nibs;
    return nibs;
}

bool fail(std::string* error, std::string message)
{
    if (error) *error = std::move(message);
    return false;
}

const std::set<std::string>& reservedKeys()
{
    static const std::set<std::string> keys = {"id", "class", "superview", "outlets", "target", "action"};
    return keys;
}

} // namespace

const std::vector<Nib*>& Nib::loaded()
{
    return liveNibs();
}

Nib* Nib::forOwner(const Object* owner)
{
    for (Nib* nib : liveNibs())
        if (nib->owner_ == owner) return nib;
    return nullptr;
}

Object* Nib::object(std::string_view id) const
{
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

Nib::~Nib()
{
    liveNibs().erase(std::remove(liveNibs().begin(), liveNibs().end(), this), liveNibs().end());
    // The graph goes as a whole: cut the view links first so no view reaches a destroyed one.
    for (auto& object : objects_)
        if (auto* view = dynamic_cast<View*>(object.get())) view->detachAll();
    while (!objects_.empty()) objects_.pop_back();
}

// One load: each phase reports the first fault through fail() and returns false.
class Nib::Loader {
public:
    Loader(std::string path, Object* owner, std::string* error, Localizer localize)
        : path_(std::move(path)), owner_(owner), error_(error), localize_(std::move(localize)), nib_(new Nib())
    {
        nib_->owner_ = owner;
    }

    std::unique_ptr<Nib> run()
    {
        nlohmann::json root;
        if (!parse(root) || !create(root) || !linkViews() || !setProperties() || !connect() || !setOwnerOutlets())
            return nullptr;
        for (auto& object : nib_->objects_) object->awakeFromNib();
        liveNibs().push_back(nib_.get());
        return std::move(nib_);
    }

private:
    using Entry = std::pair<const nlohmann::json*, Object*>;

    bool failWith(const std::string& message) { return fail(error_, path_ + ": " + message); }

    Object* resolve(std::string_view id) const { return id == kOwnerId ? owner_ : nib_->object(id); }
    Object* resolveEntry(const nlohmann::json& id) const
    {
        return id.is_string() ? resolve(std::string_view(id.get_ref<const std::string&>())) : nullptr;
    }

    bool parse(nlohmann::json& root)
    {
        std::ifstream file(path_);
        if (!file) return fail(error_, "cannot read interface description " + path_);
        std::stringstream text;
        text << file.rdbuf();
        root = nlohmann::json::parse(text.str(), nullptr, false);
        if (root.is_discarded() || !root.is_object() || !root.contains("objects") || !root["objects"].is_array())
            return failWith("not an interface description (an object with an \"objects\" array)");
        return true;
    }

    // 1. Every object but the owner, in description order.
    bool create(const nlohmann::json& root)
    {
        for (const auto& entry : root["objects"]) {
            if (!entry.is_object() || !entry.contains("id") || !entry["id"].is_string())
                return failWith("an object without a string \"id\"");
            std::string id = entry["id"].get<std::string>();
            if (id == kOwnerId) {
                ownerEntry_ = &entry;
                continue;
            }
            if (!entry.contains("class") || !entry["class"].is_string())
                return failWith("object " + id + " has no \"class\"");
            const ClassInfo* info = ClassRegistry::find(entry["class"].get<std::string>());
            if (!info || !info->factory)
                return failWith("object " + id + ": no class named " + entry["class"].get<std::string>());
            if (nib_->byId_.count(id)) return failWith("id " + id + " used twice");
            std::unique_ptr<Object> object = info->factory();
            object->setIdentifier(id);
            nib_->byId_.emplace(id, object.get());
            entries_.emplace_back(&entry, object.get());
            nib_->objects_.push_back(std::move(object));
        }
        return true;
    }

    // 2. The view hierarchy, in description order.
    bool linkViews()
    {
        for (auto& [entry, object] : entries_) {
            if (!entry->contains("superview")) continue;
            auto* view = dynamic_cast<View*>(object);
            auto* superview = dynamic_cast<View*>(resolveEntry((*entry)["superview"]));
            if (!view || !superview)
                return failWith("object " + object->identifier() + ": superview is not a view of the description");
            superview->addSubview(view);
        }
        return true;
    }

    // 3. Properties.
    bool setProperties()
    {
        const ClassInfo::Resolver resolver = [this](std::string_view id) { return resolve(id); };
        for (auto& [entry, object] : entries_) {
            for (const auto& [key, value] : entry->items()) {
                if (reservedKeys().count(key)) continue;
                const ClassInfo::PropertySetter* setter = object->classInfo().findProperty(key);
                if (!setter)
                    return failWith("object " + object->identifier() + ": class " + object->classInfo().name +
                        " has no property " + key);
                if (!(*setter)(*object, localized(key, value), resolver))
                    return failWith("object " + object->identifier() + ": bad value for property " + key);
            }
        }
        return true;
    }

    // The texts of a property as a person reads them; everything else as it stands.
    nlohmann::json localized(const std::string& key, const nlohmann::json& value) const
    {
        if (!localize_) return value;
        auto text = [this](nlohmann::json& entry, const char* field) {
            nlohmann::json& shown = field ? entry[field] : entry;
            // An empty text stays empty (a catalogue's empty key is its header).
            if (shown.is_string() && !shown.get_ref<const std::string&>().empty())
                shown = localize_(shown.get<std::string>());
        };
        nlohmann::json out = value;
        if (key == "title" || key == "text" || key == "accessibilityLabel") text(out, nullptr);
        if ((key == "items" || key == "columns" || key == "tabs") && out.is_array())
            for (auto& entry : out) {
                if (key == "items") text(entry, nullptr);
                for (const char* field : {"label", "title", "headerToolTip"})
                    if (entry.is_object() && entry.contains(field)) text(entry, field);
            }
        return out;
    }

    // 4. Outlets between the description's objects, then actions.
    bool connect()
    {
        for (auto& [entry, object] : entries_) {
            if (entry->contains("outlets") && !connectOutlets(*object, (*entry)["outlets"])) return false;
            if ((entry->contains("action") || entry->contains("target")) && !connectAction(*entry, *object))
                return false;
        }
        return true;
    }

    bool connectOutlets(Object& from, const nlohmann::json& outlets)
    {
        if (!outlets.is_object()) return failWith("\"outlets\" of " + from.identifier() + " is not an object");
        for (const auto& [name, target] : outlets.items()) {
            const ClassInfo::OutletSetter* setter = from.classInfo().findOutlet(name);
            Object* value = resolveEntry(target);
            if (!setter) return failWith("class " + from.classInfo().name + " has no outlet " + name);
            if (!value) return failWith("outlet " + name + " names no object");
            if (!(*setter)(from, value))
                return failWith(
                    "outlet " + name + " of " + from.classInfo().name + " cannot hold " + value->classInfo().name);
        }
        return true;
    }

    bool connectAction(const nlohmann::json& entry, Object& object)
    {
        auto* control = dynamic_cast<Control*>(&object);
        const auto& action = entry.value("action", nlohmann::json());
        Object* target = resolveEntry(entry.value("target", nlohmann::json()));
        if (!control || !target || !action.is_string())
            return failWith(
                "object " + object.identifier() + ": target and action need a control, an object and a name");
        if (!target->respondsToAction(action.get<std::string>()))
            return failWith(target->classInfo().name + " has no action " + action.get<std::string>());
        control->setTarget(target);
        control->setAction(action.get<std::string>());
        return true;
    }

    // 5. The owner's outlets, last and all or nothing, so a failed load leaves the owner as it was.
    bool setOwnerOutlets()
    {
        if (!ownerEntry_ || !ownerEntry_->contains("outlets")) return true;
        if (!owner_) return failWith("outlets for an owner, but no owner was given");
        const auto& outlets = (*ownerEntry_)["outlets"];
        if (!outlets.is_object()) return failWith("the owner's \"outlets\" is not an object");
        for (const auto& [name, target] : outlets.items()) {
            if (!owner_->classInfo().findOutlet(name) || !resolveEntry(target))
                return failWith("owner outlet " + name + " is unknown or names no object");
        }
        std::vector<const ClassInfo::OutletSetter*> done;
        for (const auto& [name, target] : outlets.items()) {
            const ClassInfo::OutletSetter* setter = owner_->classInfo().findOutlet(name);
            if (!(*setter)(*owner_, resolveEntry(target))) {
                for (const auto* undo : done) (*undo)(*owner_, nullptr);
                return failWith("owner outlet " + name + " cannot hold that object");
            }
            done.push_back(setter);
        }
        return true;
    }

    std::string path_;
    Object* owner_;
    std::string* error_;
    Localizer localize_;
    std::unique_ptr<Nib> nib_;
    const nlohmann::json* ownerEntry_ = nullptr;
    std::vector<Entry> entries_;
};

std::unique_ptr<Nib> Nib::load(const std::string& path, Object* owner, std::string* error, Localizer localize)
{
    return Loader(path, owner, error, std::move(localize)).run();
}

} // namespace ui
