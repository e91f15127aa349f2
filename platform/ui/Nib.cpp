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

const std::vector<Nib*>& Nib::loaded() { return liveNibs(); }

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

std::unique_ptr<Nib> Nib::load(const std::string& path, Object* owner, std::string* error)
{
    std::ifstream file(path);
    if (!file) {
        fail(error, "cannot read interface description " + path);
        return nullptr;
    }
    std::stringstream text;
    text << file.rdbuf();
    nlohmann::json root = nlohmann::json::parse(text.str(), nullptr, false);
    if (root.is_discarded() || !root.is_object() || !root.contains("objects") || !root["objects"].is_array()) {
        fail(error, path + ": not an interface description (an object with an \"objects\" array)");
        return nullptr;
    }

    std::unique_ptr<Nib> nib(new Nib());
    nib->owner_ = owner;
    const nlohmann::json* ownerEntry = nullptr;
    std::vector<std::pair<const nlohmann::json*, Object*>> entries;

    // 1. Create every object.
    for (const auto& entry : root["objects"]) {
        if (!entry.is_object() || !entry.contains("id") || !entry["id"].is_string()) {
            fail(error, path + ": an object without a string \"id\"");
            return nullptr;
        }
        std::string id = entry["id"].get<std::string>();
        if (id == kOwnerId) {
            ownerEntry = &entry;
            continue;
        }
        if (!entry.contains("class") || !entry["class"].is_string()) {
            fail(error, path + ": object " + id + " has no \"class\"");
            return nullptr;
        }
        const ClassInfo* info = ClassRegistry::find(entry["class"].get<std::string>());
        if (!info || !info->factory) {
            fail(error, path + ": object " + id + ": no class named " + entry["class"].get<std::string>());
            return nullptr;
        }
        if (nib->byId_.count(id)) {
            fail(error, path + ": id " + id + " used twice");
            return nullptr;
        }
        std::unique_ptr<Object> object = info->factory();
        object->setIdentifier(id);
        nib->byId_.emplace(id, object.get());
        entries.emplace_back(&entry, object.get());
        nib->objects_.push_back(std::move(object));
    }

    auto resolve = [&nib, owner](std::string_view id) -> Object* {
        if (id == kOwnerId) return owner;
        return nib->object(id);
    };

    // 2. View hierarchy, in description order.
    for (auto& [entry, object] : entries) {
        if (!entry->contains("superview")) continue;
        const auto& superId = (*entry)["superview"];
        auto* view = dynamic_cast<View*>(object);
        auto* superview = superId.is_string() ? dynamic_cast<View*>(resolve(superId.get<std::string>())) : nullptr;
        if (!view || !superview) {
            fail(error, path + ": object " + object->identifier() + ": superview is not a view of the description");
            return nullptr;
        }
        superview->addSubview(view);
    }

    // 3. Properties.
    for (auto& [entry, object] : entries) {
        for (const auto& [key, value] : entry->items()) {
            if (reservedKeys().count(key)) continue;
            const ClassInfo::PropertySetter* setter = object->classInfo().findProperty(key);
            if (!setter) {
                fail(error, path + ": object " + object->identifier() + ": class " + object->classInfo().name +
                                " has no property " + key);
                return nullptr;
            }
            if (!(*setter)(*object, value, resolve)) {
                fail(error, path + ": object " + object->identifier() + ": bad value for property " + key);
                return nullptr;
            }
        }
    }

    // 4. Outlets between the description's objects, then actions.
    auto connect = [&](Object& from, const nlohmann::json& outlets) -> bool {
        if (!outlets.is_object()) return fail(error, path + ": \"outlets\" of " + from.identifier() + " is not an object");
        for (const auto& [name, target] : outlets.items()) {
            const ClassInfo::OutletSetter* setter = from.classInfo().findOutlet(name);
            Object* value = target.is_string() ? resolve(target.get<std::string>()) : nullptr;
            if (!setter) return fail(error, path + ": class " + from.classInfo().name + " has no outlet " + name);
            if (!value) return fail(error, path + ": outlet " + name + " names no object");
            if (!(*setter)(from, value))
                return fail(error, path + ": outlet " + name + " of " + from.classInfo().name + " cannot hold " +
                                       value->classInfo().name);
        }
        return true;
    };
    for (auto& [entry, object] : entries) {
        if (entry->contains("outlets") && !connect(*object, (*entry)["outlets"])) return nullptr;
        if (!entry->contains("action") && !entry->contains("target")) continue;
        auto* control = dynamic_cast<Control*>(object);
        const auto& targetId = entry->value("target", nlohmann::json());
        const auto& action = entry->value("action", nlohmann::json());
        Object* target = targetId.is_string() ? resolve(targetId.get<std::string>()) : nullptr;
        if (!control || !target || !action.is_string()) {
            fail(error, path + ": object " + object->identifier() + ": target and action need a control, an object and a name");
            return nullptr;
        }
        if (!target->respondsToAction(action.get<std::string>())) {
            fail(error, path + ": " + target->classInfo().name + " has no action " + action.get<std::string>());
            return nullptr;
        }
        control->setTarget(target);
        control->setAction(action.get<std::string>());
    }

    // 5. The owner's outlets, last and all or nothing, so a failed load leaves the owner as it was.
    if (ownerEntry && ownerEntry->contains("outlets")) {
        if (!owner) {
            fail(error, path + ": outlets for an owner, but no owner was given");
            return nullptr;
        }
        const auto& outlets = (*ownerEntry)["outlets"];
        if (!outlets.is_object()) {
            fail(error, path + ": the owner's \"outlets\" is not an object");
            return nullptr;
        }
        for (const auto& [name, target] : outlets.items()) {
            Object* value = target.is_string() ? resolve(target.get<std::string>()) : nullptr;
            const ClassInfo::OutletSetter* setter = owner->classInfo().findOutlet(name);
            if (!setter || !value) {
                fail(error, path + ": owner outlet " + name + " is unknown or names no object");
                return nullptr;
            }
        }
        std::vector<const ClassInfo::OutletSetter*> done;
        for (const auto& [name, target] : outlets.items()) {
            const ClassInfo::OutletSetter* setter = owner->classInfo().findOutlet(name);
            if (!(*setter)(*owner, resolve(target.get<std::string>()))) {
                for (const auto* undo : done) (*undo)(*owner, nullptr);
                fail(error, path + ": owner outlet " + name + " cannot hold that object");
                return nullptr;
            }
            done.push_back(setter);
        }
    }

    for (auto& object : nib->objects_) object->awakeFromNib();
    liveNibs().push_back(nib.get());
    return nib;
}

} // namespace ui
