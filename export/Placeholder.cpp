// Replaced as the export code lands.
