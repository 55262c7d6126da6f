// Anchor for the resource object library; the .qrc files of this folder hold the data.
