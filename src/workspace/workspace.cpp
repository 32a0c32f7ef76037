#include "workspace/workspace.h"

#include <stdexcept>

Workspace::Workspace() {
    for (const MenuSpec& entry : MenuTree()) {
        m_controls.emplace(std::string(entry.name),
                           ControlState{std::string(entry.caption), entry.enabled, entry.visible});
    }
    for (const auto& table : {WindowControls(), SettingsDialogControls()}) {
        for (const ControlSpec& entry : table) {
            m_controls.emplace(std::string(entry.name), ControlState{std::string(entry.caption)});
        }
    }
}

const std::string& Workspace::text(std::string_view key) const {
    static const std::string empty;
    const auto it = m_texts.find(key);
    return it == m_texts.end() ? empty : it->second;
}

void Workspace::setText(std::string_view key, std::string value) {
    m_texts.insert_or_assign(std::string(key), std::move(value));
}

PhraseBook Workspace::phrases() const {
    if (phrasesInEnglish) return {};
    return PhraseBook([this](std::string_view key) { return &text(key); });
}

ControlState& Workspace::control(std::string_view name) {
    const auto it = m_controls.find(name);
    if (it == m_controls.end()) throw std::out_of_range("no control " + std::string(name));
    return it->second;
}

const ControlState& Workspace::control(std::string_view name) const {
    const auto it = m_controls.find(name);
    if (it == m_controls.end()) throw std::out_of_range("no control " + std::string(name));
    return it->second;
}

const PictureListEntry* Workspace::selected() const {
    if (!selectedRow || *selectedRow >= rows.size()) return nullptr;
    return &rows[*selectedRow];
}
