// Replaced as the editing commands land.
