#pragma once
// The offline page's values in the settings store (section "脱机"), so that the command line
// and the window start from the values last used.
struct OfflinePanel;
class SettingsStore;

// Values absent from the store keep what panel holds; stored values that are not valid
// (see OfflinePanelProblem) are ignored one by one.
void LoadOfflinePanel(const SettingsStore& store, OfflinePanel& panel);
void StoreOfflinePanel(SettingsStore& store, const OfflinePanel& panel);
