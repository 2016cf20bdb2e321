#pragma once
// Entities: values a configuration parameter holds by identifier (a city of a
// clock, a place of a weather widget), and the queries that find them for the
// configuration dialog.
//
// An entity type is a plain record with an identifier and a display title:
//
//   struct TimeZoneEntity {
//       static constexpr const char* typeDisplayName = "City";
//       std::string id;                           // what a configured widget stores
//       std::string displayTitle() const;         // what the dialog shows
//   };
//
// (an entity type may also declare `static constexpr const char*
// noMatchesText`, what the dialog says when a search finds nothing)
// and its query answers the four questions of the dialog:
//
//   struct TimeZoneQuery {
//       std::vector<TimeZoneEntity> entitiesFor(const std::vector<std::string>& ids) const;
//       std::vector<TimeZoneEntity> entitiesMatching(const std::string& text) const;
//       std::vector<TimeZoneEntity> suggestedEntities() const;   // also the list shown before a search
//       std::optional<TimeZoneEntity> defaultResult() const;
//   };
//
// A parameter that holds one is declared with kind `ParameterKind::entity`,
// `typeTitle` = the type display name, `optional` = true when it may hold
// none, and `query` = `entityQuery<TimeZoneEntity>(TimeZoneQuery{})`. The
// configuration then holds the entity's `id` as text (or null); the intent's
// `from` turns it back into the entity (typically `TimeZoneEntity{id}`, with
// no look-up, so a stored choice survives whatever the query answers today).
//
// The queries are plain, blocking calls (a search may go to the network): the
// dialog calls them on a worker thread, never on the thread that paints.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plyx::intents {

/// What the configuration dialog knows of one entity.
struct EntityDisplay {
    std::string id;
    std::string title;

    bool operator==(const EntityDisplay&) const = default;
};

/// The query of an entity type as the dialog uses it: the four answers as
/// display values. Made from a typed query by `entityQuery`.
class EntityQuery {
public:
    virtual ~EntityQuery() = default;
    /// The entity type's display name ("City").
    virtual std::string typeDisplayName() const = 0;
    /// One entity per identifier, in the given order.
    virtual std::vector<EntityDisplay> entitiesFor(const std::vector<std::string>& ids) const = 0;
    /// The entities whose display matches a search text.
    virtual std::vector<EntityDisplay> entitiesMatching(const std::string& text) const = 0;
    /// The entities offered before any search.
    virtual std::vector<EntityDisplay> suggestedEntities() const = 0;
    /// The entity a fresh configuration shows, when there is one.
    virtual std::optional<EntityDisplay> defaultResult() const = 0;
    /// What the dialog says when a search finds nothing; empty to say
    /// nothing (an entity type that searches the network says so here).
    virtual std::string noMatchesText() const { return {}; }
};

namespace detail {
template <class E> EntityDisplay display(const E& e) { return {e.id, e.displayTitle()}; }
template <class E> std::vector<EntityDisplay> displays(const std::vector<E>& es) {
    std::vector<EntityDisplay> out;
    out.reserve(es.size());
    for (const auto& e : es) out.push_back(display(e));
    return out;
}

template <class E, class Q> class TypedEntityQuery final : public EntityQuery {
public:
    explicit TypedEntityQuery(Q q) : q_(std::move(q)) {}
    std::string typeDisplayName() const override { return E::typeDisplayName; }
    std::vector<EntityDisplay> entitiesFor(const std::vector<std::string>& ids) const override {
        return displays(q_.entitiesFor(ids));
    }
    std::vector<EntityDisplay> entitiesMatching(const std::string& text) const override {
        return displays(q_.entitiesMatching(text));
    }
    std::vector<EntityDisplay> suggestedEntities() const override { return displays(q_.suggestedEntities()); }
    std::optional<EntityDisplay> defaultResult() const override {
        auto e = q_.defaultResult();
        if (!e) return std::nullopt;
        return display(*e);
    }
    std::string noMatchesText() const override {
        if constexpr (requires { E::noMatchesText; }) return E::noMatchesText;
        else return {};
    }

private:
    Q q_;
};
} // namespace detail

/// The dialog's form of a typed query over entity type E.
template <class E, class Q> std::shared_ptr<const EntityQuery> entityQuery(Q query) {
    return std::make_shared<detail::TypedEntityQuery<E, Q>>(std::move(query));
}

} // namespace plyx::intents
