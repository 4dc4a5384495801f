#pragma once
// The profile dialogs in the demo host: the profile-advanced dialog on a profile group of a sample macro
// (one profile, and a group whose profiles differ), the segmented profiles of the fin plate, and the cuts
// and features of the fin plate's beam, which the host (standing in for the add-on) sets up and opens.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "gallery.h"

namespace vtlhost {

void registerProfileEntries(std::vector<GalleryEntry>& entries);

// Stories: `open profile-cuts` (the fin plate's beam and its cuts) and `open profile-features` (the cope of
// the fin plate's beam).
void playProfileCuts(std::ostream& out, const std::function<void(const std::function<void()>&)>& play);
void playProfileFeatures(std::ostream& out, const std::function<void(const std::function<void()>&)>& play);

}  // namespace vtlhost
