#pragma once
// The picture's fixed numbers, which every renderer draws with: light 0,
// the fog, the clear colour, the sky, the overlay and the start-up
// perspective.

// Light 0, set once at start-up under the identity model-view matrix, so in
// eye coordinates: a white point light 100 units above the eye.
inline constexpr float light_position[4] = {0, 100, 0, 1};  // eye coordinates, homogeneous
inline constexpr float light_ambient[4] = {1, 1, 1, 1};     // RGBA; also the fog colour
inline constexpr float light_diffuse[4] = {1, 1, 1, 1};     // RGBA
inline constexpr float light_specular[4] = {1, 1, 1, 1};    // RGBA
constexpr float fogdensity = 0.0005f;                       // GL_EXP2, per world unit
inline constexpr float clearcolour[4] = {0.2f, 0.4f, 0.6f, 0.0f};  // RGBA
inline constexpr float skycolour[3] = {0.3f, 0.2f, 0.3f};  // RGB the sky sets current; the untextured landscape keeps it
constexpr double skyradius = 10;   // world units, centred on the eye
constexpr int skyslices = 5, skystacks = 5;  // the sphere's divisions about and along its axis
constexpr float skytilt = 90;      // degrees about x: the sphere's poles on the view's up axis
constexpr const char *overlaytext = "Testing";  // the overlay's one line
// The start-up perspective, until the toolkit's first reshape: field of view
// in degrees, aspect, near and far planes.
constexpr double startfovy = 45, startaspect = 1.0, startnear = double(0.1f), startfar = 100;
