// Starting the game and the editor through the shell.
#pragma once
