// The program's name as the desktop and Qt know it.
#pragma once

// Names the application "Quarn". No display name is set: Qt would append it to the
// caption of every window whose caption does not already end with it.
void setProgramIdentity();
