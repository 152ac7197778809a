# Sources of Core/selection (none yet).
