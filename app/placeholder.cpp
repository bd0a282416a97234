// Sources of this library arrive with its own change.
