// A module that carries nothing but PNG resources.
