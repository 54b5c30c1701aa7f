// Replaced as the item commands land.
