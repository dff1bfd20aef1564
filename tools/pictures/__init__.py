"""The pieces of tools/make_pictures.py, one module per family of pictures.

common     paths, the worker pool, maths, colour, noise and wood
balls      ball shading, the sprite strip and the painted balls
table      table.png: the top view of the table and the play-mode icons
raytrace   the 3-D scenes' geometry, hits, lamp and shadows
shading    the 3-D scenes' materials and the cue
scene      setting up, rendering and the menu and opening scenes
screens    menu.png and opening.png: lettering over the rendered scenes
icons      cue ball, window icons, switches and dialog buttons
tovi       Tovi, the computer player's robot
"""
