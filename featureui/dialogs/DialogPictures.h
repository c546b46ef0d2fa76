// The pictures of the feature dialogs: the turbine symbols of the wind farm list and the shape
// symbol of the shape-file selector, as bitmap resources of the Tolvar library.
#pragma once

// Registers them (once; later calls do nothing).
void RegisterDialogPictures();
