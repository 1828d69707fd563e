<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>StringTable</name>
    <message>
        <source>Wartość ciśnienia wejściowego poza dopuszczalnym zakresem</source>
        <comment>1</comment>
        <translation>Input pressure out of the permissible range</translation>
    </message>
    <message>
        <source>Niepewność ciśnienia wejściowego poza zakresem</source>
        <comment>2</comment>
        <translation>Uncertainty of the input pressure out of range</translation>
    </message>
    <message>
        <source>Uzupełnij wartość ciśnienia wyjściowego</source>
        <comment>3</comment>
        <translation>Enter the output pressure</translation>
    </message>
    <message>
        <source>Ciśnienie wyjściowe poza zakresem</source>
        <comment>4</comment>
        <translation>Output pressure out of range</translation>
    </message>
    <message>
        <source>Wartość punktu rosy poza zakresem</source>
        <comment>5</comment>
        <translation>Dew point out of range</translation>
    </message>
    <message>
        <source>Niepewność punktu rosy poza zakresem</source>
        <comment>6</comment>
        <translation>Uncertainty of the dew point out of range</translation>
    </message>
    <message>
        <source>Wartość temperatury poza zakresem</source>
        <comment>7</comment>
        <translation>Temperature out of range</translation>
    </message>
    <message>
        <source>Wartość punktu rosy nie powinna być większa niż wartość temperatury</source>
        <comment>8</comment>
        <translation>The dew point should not be greater than the temperature</translation>
    </message>
    <message>
        <source>Niepewność temperatury poza zakresem</source>
        <comment>9</comment>
        <translation>Uncertainty of the temperature out of range</translation>
    </message>
    <message>
        <source>Wartość wilgotności względnej poza zakresem</source>
        <comment>10</comment>
        <translation>Relative humidity out of range</translation>
    </message>
    <message>
        <source>Precyzja wilgotności względnej poza zakresem</source>
        <comment>11</comment>
        <translation>Uncertainty of the relative humidity out of range</translation>
    </message>
    <message>
        <source>Uzupełnij wartości ciśnień i dwóch pozostałych pól</source>
        <comment>12</comment>
        <translation>Enter both pressures and two of the remaining fields</translation>
    </message>
    <message>
        <source>Uzupełnij wartość ciśnienia wejściowego</source>
        <comment>13</comment>
        <translation>Enter the input pressure</translation>
    </message>
    <message>
        <source>Zbyt długa wartość wejściowa</source>
        <comment>14</comment>
        <translation>Input value too long</translation>
    </message>
    <message>
        <source>Błędny format wartości wejściowej</source>
        <comment>15</comment>
        <translation>Invalid format of the input value</translation>
    </message>
    <message>
        <source>Temperatura punktu rosy, temperatura punktu szronu</source>
        <comment>16</comment>
        <translation>Dew-point temperature, frost-point temperature</translation>
    </message>
    <message>
        <source>Temperatura powietrza</source>
        <comment>17</comment>
        <translation>Air temperature</translation>
    </message>
    <message>
        <source>Wilgotność względna odniesiona do stanu nasycenia nad wodą (lub lodem)</source>
        <comment>18</comment>
        <translation>Relative humidity referred to saturation over water (or ice)</translation>
    </message>
    <message>
        <source>Ciśnienie powietrza panujące w punkcie 1, w którym podane są dane wejściowe do obliczeń</source>
        <comment>19</comment>
        <translation>Air pressure at point 1, where the input data of the calculation are given</translation>
    </message>
    <message>
        <source>Ciśnienie powietrza panujące w punkcie 2, w którym obliczane są wyniki</source>
        <comment>20</comment>
        <translation>Air pressure at point 2, where the results are calculated</translation>
    </message>
    <message>
        <source>Zawartość objętościowa pary wodnej w suchym powietrzu (ppm, części milionowych)</source>
        <comment>21</comment>
        <translation>Volume fraction of water vapour in dry air (ppm, parts per million)</translation>
    </message>
    <message>
        <source>Ciśnienie pary wodnej znajdującej się w wilgotnym powietrzu, ciśnienie cząstkowe pary wodnej</source>
        <comment>22</comment>
        <translation>Pressure of the water vapour in moist air, partial pressure of water vapour</translation>
    </message>
    <message>
        <source>Ciśnienie nasyconej pary wodnej zawartej w wilgotnym powietrzu nad wodą (lub lodem)</source>
        <comment>23</comment>
        <translation>Saturation vapour pressure of water vapour in moist air over water (or ice)</translation>
    </message>
    <message>
        <source>Niepewność standardowa</source>
        <comment>24</comment>
        <translation>Standard uncertainty</translation>
    </message>
    <message>
        <source>Zawartość wilgoci, stosunek masy pary wodnej do masy suchego powietrza (ppm, części milionowych)</source>
        <comment>25</comment>
        <translation>Moisture content, ratio of the mass of water vapour to the mass of dry air (ppm, parts per million)</translation>
    </message>
    <message>
        <source>Wartości wejściowe poza zakresem</source>
        <comment>26</comment>
        <translation>Input values out of range</translation>
    </message>
    <message>
        <source>Zawartość wilgoci, stosunek masy pary wodnej do masy suchego powietrza (g/kg)</source>
        <comment>27</comment>
        <translation>Moisture content, ratio of the mass of water vapour to the mass of dry air (g/kg)</translation>
    </message>
    <message>
        <source>Temperatura termometru mokrego pokrytego wodą (lub lodem) w psychrometrze</source>
        <comment>28</comment>
        <translation>Temperature of the psychrometer&apos;s wet bulb covered with water (or ice)</translation>
    </message>
    <message>
        <source>Funt na cal kwadratowy, lbf/inch^2</source>
        <comment>29</comment>
        <translation>Pound per square inch, lbf/inch^2</translation>
    </message>
    <message>
        <source>Funt na na stopę kwadratową, lbf/ft^2</source>
        <comment>30</comment>
        <translation>Pound per square foot, lbf/ft^2</translation>
    </message>
    <message>
        <source>Pascal, niuton na metr kwadratowy, N/m^2</source>
        <comment>31</comment>
        <translation>Pascal, newton per square metre, N/m^2</translation>
    </message>
    <message>
        <source>Megapascal, 10^6 Pa</source>
        <comment>32</comment>
        <translation>Megapascal, 10^6 Pa</translation>
    </message>
    <message>
        <source>Milimetr słupa wody, mmWS</source>
        <comment>33</comment>
        <translation>Millimetre of water column, mmWS</translation>
    </message>
    <message>
        <source>Tr (Tor, Torr), milimetr słupa rtęci</source>
        <comment>34</comment>
        <translation>Tr (torr), millimetre of mercury</translation>
    </message>
    <message>
        <source>Millitorr, 10^-3 Tr</source>
        <comment>35</comment>
        <translation>Millitorr, 10^-3 Tr</translation>
    </message>
    <message>
        <source>Nieprawidłowy numer wejścia QX-311</source>
        <comment>36</comment>
        <translation>Invalid QX-311 input number</translation>
    </message>
    <message>
        <source>Kilopascal, 1000 Pa</source>
        <comment>37</comment>
        <translation>Kilopascal, 1000 Pa</translation>
    </message>
    <message>
        <source>Hectopascal, 100 Pa; Milibar, 10^-3 bar</source>
        <comment>38</comment>
        <translation>Hectopascal, 100 Pa; millibar, 10^-3 bar</translation>
    </message>
    <message>
        <source>Bar, hektopieza, hpz, 10^5 Pa</source>
        <comment>39</comment>
        <translation>Bar, hectopieze, hpz, 10^5 Pa</translation>
    </message>
    <message>
        <source>Atmosfera fizyczna, atmosfera normalna, kG/cm^2</source>
        <comment>40</comment>
        <translation>Physical atmosphere, standard atmosphere, kG/cm^2</translation>
    </message>
    <message>
        <source>Atmosfera techniczna, kilopond na centymetr kwadratowy, kp/cm^2</source>
        <comment>41</comment>
        <translation>Technical atmosphere, kilopond per square centimetre, kp/cm^2</translation>
    </message>
    <message>
        <source>Uzupełnij wartość punktu rosy/punktu szronu</source>
        <comment>42</comment>
        <translation>Enter the dew point/frost point</translation>
    </message>
    <message>
        <source>Uzupełnij wartość PPMV</source>
        <comment>43</comment>
        <translation>Enter the PPMV value</translation>
    </message>
    <message>
        <source>Uzupełnij wartość PPMW</source>
        <comment>44</comment>
        <translation>Enter the PPMW value</translation>
    </message>
    <message>
        <source>Uzupełnij wartość x</source>
        <comment>45</comment>
        <translation>Enter the x value</translation>
    </message>
    <message>
        <source>Uzupełnij wartość temperatury</source>
        <comment>46</comment>
        <translation>Enter the temperature</translation>
    </message>
    <message>
        <source>Wartość PPMV poza dopuszczalnym zakresem</source>
        <comment>47</comment>
        <translation>PPMV out of the permissible range</translation>
    </message>
    <message>
        <source>Wartość PPMW poza dopuszczalnym zakresem</source>
        <comment>48</comment>
        <translation>PPMW out of the permissible range</translation>
    </message>
    <message>
        <source>Wartość x poza dopuszczalnym zakresem</source>
        <comment>49</comment>
        <translation>x out of the permissible range</translation>
    </message>
    <message>
        <source>Niepewność PPMV poza dopuszczalnym zakresem</source>
        <comment>50</comment>
        <translation>Uncertainty of PPMV out of the permissible range</translation>
    </message>
    <message>
        <source>Niepewność PPMW poza dopuszczalnym zakresem</source>
        <comment>51</comment>
        <translation>Uncertainty of PPMW out of the permissible range</translation>
    </message>
    <message>
        <source>Niepewność x poza dopuszczalnym zakresem</source>
        <comment>52</comment>
        <translation>Uncertainty of x out of the permissible range</translation>
    </message>
    <message>
        <source>Niepewność Tw/Ti poza dopuszczalnym zakresem</source>
        <comment>53</comment>
        <translation>Uncertainty of Tw/Ti out of the permissible range</translation>
    </message>
    <message>
        <source>Wartość Tw/Ti poza dopuszczalnym zakresem</source>
        <comment>54</comment>
        <translation>Tw/Ti out of the permissible range</translation>
    </message>
    <message>
        <source>Wartość dla lodu powinna zawierać się w przedziale do 0.00045 do 0.001</source>
        <comment>55</comment>
        <translation>The value for ice should lie in the range 0.00045 to 0.001</translation>
    </message>
    <message>
        <source>Wartość dla wody powinna zawierać się w przedziale do 0.00045 do 0.001</source>
        <comment>56</comment>
        <translation>The value for water should lie in the range 0.00045 to 0.001</translation>
    </message>
    <message>
        <source>części milionowe</source>
        <comment>57</comment>
        <translation>parts per million</translation>
    </message>
    <message>
        <source>Entalpia I(1+x) mieszaniny pary wodnej i powietrza suchego</source>
        <comment>58</comment>
        <translation>Enthalpy I(1+x) of the mixture of water vapour and dry air</translation>
    </message>
    <message>
        <source>Wartość Tw/Ti nie powimma być większa od wartości Temperatury</source>
        <comment>59</comment>
        <translation>Tw/Ti should not be greater than the temperature</translation>
    </message>
    <message>
        <source>Stała psychrometru dla wody poza dopuszczalnym zakresem</source>
        <comment>60</comment>
        <translation>Psychrometer constant for water out of the permissible range</translation>
    </message>
    <message>
        <source>Stała psychrometru dla lodu poza dopuszczalnym zakresem</source>
        <comment>61</comment>
        <translation>Psychrometer constant for ice out of the permissible range</translation>
    </message>
    <message>
        <source>Wartość temperatury powinna być większa do wartości Tw/Ti</source>
        <comment>63</comment>
        <translation>The temperature should be greater than Tw/Ti</translation>
    </message>
    <message>
        <source>Wartość Tw powinna być większa od temperatury punktu rosy</source>
        <comment>64</comment>
        <translation>Tw should be greater than the dew-point temperature</translation>
    </message>
    <message>
        <source>Wartość Ti powinna być większa od temperatury punktu szronu</source>
        <comment>65</comment>
        <translation>Ti should be greater than the frost-point temperature</translation>
    </message>
    <message>
        <source>Ciśnienie poza douszczalnym zakresem</source>
        <comment>66</comment>
        <translation>Pressure out of the permissible range</translation>
    </message>
    <message>
        <source>Wartość punktu szronu poza dopuszczalnym zakresem</source>
        <comment>67</comment>
        <translation>Frost point out of the permissible range</translation>
    </message>
    <message>
        <source>Uzupełnij wartość temperatury</source>
        <comment>69</comment>
        <translation>Enter the temperature</translation>
    </message>
    <message>
        <source>Uzupełnij wartość Tw/Ti</source>
        <comment>70</comment>
        <translation>Enter the Tw/Ti value</translation>
    </message>
    <message>
        <source>Uzupełnij wartość ciśnienia</source>
        <comment>71</comment>
        <translation>Enter the pressure</translation>
    </message>
    <message>
        <source>Uzupełnij wartość temperatury punktu szronu</source>
        <comment>72</comment>
        <translation>Enter the frost-point temperature</translation>
    </message>
    <message>
        <source>Obliczona wartość RH nad wodą poza dopuszczalnym zakresem:
Wartość RH powinna być mniejsza lub równa od %.7f</source>
        <comment>73</comment>
        <translation>Calculated value of RH over water out of the permissible range:
RH should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość RH nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być większa od %.7f</source>
        <comment>74</comment>
        <translation>Calculated value of RH over water out of the permissible range:
Input pressure P1 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość RH nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>75</comment>
        <translation>Calculated value of RH over water out of the permissible range:
Output pressure P2 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury punktu rosy nad wodą poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być większa od %.7f</source>
        <comment>76</comment>
        <translation>Calculated value of dew-point temperature over water out of the permissible range:
Dew-point temperature should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury punktu rosy nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>77</comment>
        <translation>Calculated value of dew-point temperature over water out of the permissible range:
Input pressure P1 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość DP nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być większa od %.7f</source>
        <comment>78</comment>
        <translation>Calculated value of DP over water out of the permissible range:
Output pressure P2 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Wartość ciśnienia wyjściowego powinna zawierać się w przedziale 0.03 ... 20.</source>
        <comment>79</comment>
        <translation>The output pressure should lie within 0.03 ... 20 times the input pressure.</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury punktu rosy nad wodą poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być mniejsza lub równa od %.7f</source>
        <comment>80</comment>
        <translation>Calculated value of dew-point temperature over water out of the permissible range:
Dew-point temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury punktu rosy nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być większa od %.7f</source>
        <comment>81</comment>
        <translation>Calculated value of dew-point temperature over water out of the permissible range:
Input pressure P1 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury punktu rosy nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>82</comment>
        <translation>Calculated value of dew-point temperature over water out of the permissible range:
Output pressure P2 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:
Wartość RH powinna być mniejsza lub równa od %.7f</source>
        <comment>83</comment>
        <translation>Calculated value of temperature over water out of the permissible range:
RH should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być większa od %.7f</source>
        <comment>84</comment>
        <translation>Calculated value of temperature over water out of the permissible range:
Dew-point temperature should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>85</comment>
        <translation>Calculated value of temperature over water out of the permissible range:
Input pressure P1 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być większa od %.7f</source>
        <comment>86</comment>
        <translation>Calculated value of temperature over water out of the permissible range:
Output pressure P2 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:
Wartość RH powinna być większa od %.7f</source>
        <comment>87</comment>
        <translation>Calculated value of temperature over water out of the permissible range:
RH should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>88</comment>
        <translation>Calculated value of temperature over water out of the permissible range:
Input pressure P1 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>89</comment>
        <translation>Calculated value of temperature over water out of the permissible range:
Input pressure P1 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być większa od %.7f</source>
        <comment>90</comment>
        <translation>Calculated value of temperature over water out of the permissible range:
Output pressure P2 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być mniejsza lub równa od %.7f</source>
        <comment>91</comment>
        <translation>Calculated value of PPMV over water out of the permissible range:
Dew-point temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być większa od %.7f</source>
        <comment>92</comment>
        <translation>Calculated value of PPMV over water out of the permissible range:
Input pressure P1 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>93</comment>
        <translation>Calculated value of PPMV over water out of the permissible range:
Output pressure P2 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:
Temperatura powinna być mniejsza lub równa od %.7f</source>
        <comment>95</comment>
        <translation>Calculated value of PPMV over water out of the permissible range:
Temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:
Wartość RH powinna być mniejsza lub równa od %.7f</source>
        <comment>96</comment>
        <translation>Calculated value of PPMV over water out of the permissible range:
RH should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Wartości obliczone dla ciśnienia P2, NIE uwzględniono niepewności wzorów</source>
        <comment>97</comment>
        <translation>Values calculated at pressure P2, formula uncertainty NOT included</translation>
    </message>
    <message>
        <source>Wartości obliczone dla ciśnienia P2, uwzględniono niepewność wzorów</source>
        <comment>98</comment>
        <translation>Values calculated at pressure P2, formula uncertainty included</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być większa od %.7f</source>
        <comment>99</comment>
        <translation>Calculated value of SWVP over water out of the permissible range:
Input pressure P1 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>100</comment>
        <translation>Calculated value of SWVP over water out of the permissible range:
Output pressure P2 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:
Temperatura powinna być większa od %.7f</source>
        <comment>101</comment>
        <translation>Calculated value of SWVP over water out of the permissible range:
Temperature should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być mniejsza lub równa od %.7f</source>
        <comment>102</comment>
        <translation>Calculated value of SWVP over water out of the permissible range:
Dew-point temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość DP nad wodą poza dopuszczalnym zakresem:
Temperatura powinna być większa od %.7f</source>
        <comment>103</comment>
        <translation>Calculated value of DP over water out of the permissible range:
Temperature should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:
Wartość PPMV powinna być większa od %.7f</source>
        <comment>104</comment>
        <translation>Calculated value of DP over ice out of the permissible range:
PPMV should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>105</comment>
        <translation>Calculated value of DP over ice out of the permissible range:
Input pressure P1 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być większa od %.7f</source>
        <comment>106</comment>
        <translation>Calculated value of DP over ice out of the permissible range:
Output pressure P2 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:
Temperatura powinna być większa od %.7f</source>
        <comment>107</comment>
        <translation>Calculated value of SWVP over ice out of the permissible range:
Temperature should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być większa od %.7f</source>
        <comment>108</comment>
        <translation>Calculated value of SWVP over ice out of the permissible range:
Input pressure P1 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>109</comment>
        <translation>Calculated value of SWVP over ice out of the permissible range:
Output pressure P2 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:
Wartość PPMV powinna być mniejsza lub równa od %.7f</source>
        <comment>110</comment>
        <translation>Calculated value of SWVP over water out of the permissible range:
PPMV should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:
Wartość PPMV powinna być mniejsza lub równa od %.7f</source>
        <comment>111</comment>
        <translation>Calculated value of SWVP over ice out of the permissible range:
PPMV should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być mniejsza lub równa od %.7f</source>
        <comment>112</comment>
        <translation>Calculated value of SWVP over ice out of the permissible range:
Dew-point temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury punktu rosy nad lodem poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być większa od %.7f</source>
        <comment>113</comment>
        <translation>Calculated value of dew-point temperature over ice out of the permissible range:
Dew-point temperature should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być mniejsza lub równa od %.7f</source>
        <comment>114</comment>
        <translation>Calculated value of PPMV over ice out of the permissible range:
Dew-point temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być większa od %.7f</source>
        <comment>115</comment>
        <translation>Calculated value of PPMV over ice out of the permissible range:
Input pressure P1 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>116</comment>
        <translation>Calculated value of PPMV over ice out of the permissible range:
Output pressure P2 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość RH nad lodem poza dopuszczalnym zakresem:
Wartość RH powinna być mniejsza lub równa od %.7f</source>
        <comment>117</comment>
        <translation>Calculated value of RH over ice out of the permissible range:
RH should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość RH nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być większa od %.7f</source>
        <comment>118</comment>
        <translation>Calculated value of RH over ice out of the permissible range:
Input pressure P1 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość RH nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>119</comment>
        <translation>Calculated value of RH over ice out of the permissible range:
Output pressure P2 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:
Temperatura powinna być większa od %.7f</source>
        <comment>120</comment>
        <translation>Calculated value of DP over ice out of the permissible range:
Temperature should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:
Wartość RH powinna być mniejsza lub równa od %.7f</source>
        <comment>121</comment>
        <translation>Calculated value of PPMV over ice out of the permissible range:
RH should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:
Temperatura powinna być mniejsza lub równa od %.7f</source>
        <comment>122</comment>
        <translation>Calculated value of PPMV over ice out of the permissible range:
Temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury punktu rosy nad lodem poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być mniejsza lub równa od %.7f</source>
        <comment>123</comment>
        <translation>Calculated value of dew-point temperature over ice out of the permissible range:
Dew-point temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury punktu rosy nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być większa od %.7f</source>
        <comment>124</comment>
        <translation>Calculated value of dew-point temperature over ice out of the permissible range:
Input pressure P1 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury punktu rosy nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>125</comment>
        <translation>Calculated value of dew-point temperature over ice out of the permissible range:
Output pressure P2 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:
Wartość RH powinna być mniejsza lub równa od %.7f</source>
        <comment>126</comment>
        <translation>Calculated value of temperature over ice out of the permissible range:
RH should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być większa od %.7f</source>
        <comment>127</comment>
        <translation>Calculated value of temperature over ice out of the permissible range:
Dew-point temperature should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>128</comment>
        <translation>Calculated value of temperature over ice out of the permissible range:
Input pressure P1 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być większa od %.7f</source>
        <comment>129</comment>
        <translation>Calculated value of temperature over ice out of the permissible range:
Output pressure P2 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:
Wartość RH powinna być większa od %.7f</source>
        <comment>130</comment>
        <translation>Calculated value of temperature over ice out of the permissible range:
RH should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:
Temperatura punktu rosy powinna być mniejsza lub równa od %.7f</source>
        <comment>131</comment>
        <translation>Calculated value of temperature over ice out of the permissible range:
Dew-point temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f</source>
        <comment>132</comment>
        <translation>Calculated value of temperature over ice out of the permissible range:
Input pressure P1 should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia wyjściowego powinna być większa od %.7f</source>
        <comment>133</comment>
        <translation>Calculated value of temperature over ice out of the permissible range:
Output pressure P2 should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:
Wartość RH powinna być większa od %.7f</source>
        <comment>134</comment>
        <translation>Calculated value of DP over ice out of the permissible range:
RH should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość WVP nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia powinna być mniejsza lub równa od %.7f</source>
        <comment>135</comment>
        <translation>Calculated value of WVP over water out of the permissible range:
Pressure should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość WVP nad wodą poza dopuszczalnym zakresem:
Temperatura powinna być mniejsza lub równa od %.7f</source>
        <comment>136</comment>
        <translation>Calculated value of WVP over water out of the permissible range:
Temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość WVP nad wodą poza dopuszczalnym zakresem:
Wartość Tw/Ti powinna być większa od %.7f</source>
        <comment>137</comment>
        <translation>Calculated value of WVP over water out of the permissible range:
Tw/Ti should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość WVP nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia powinna być mniejsza lub równa od %.7f</source>
        <comment>138</comment>
        <translation>Calculated value of WVP over ice out of the permissible range:
Pressure should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość WVP nad lodem poza dopuszczalnym zakresem:
Temperatura powinna być mniejsza lub równa od %.7f</source>
        <comment>139</comment>
        <translation>Calculated value of WVP over ice out of the permissible range:
Temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość WVP nad lodem poza dopuszczalnym zakresem:
Wartość Tw/Ti powinna być większa od %.7f</source>
        <comment>140</comment>
        <translation>Calculated value of WVP over ice out of the permissible range:
Tw/Ti should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:
Pressure powinna być mniejsza lub równa od %.7f</source>
        <comment>141</comment>
        <translation>Calculated value of SWVP over water out of the permissible range:
Pressure should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:
Temperatura powinna być mniejsza lub równa od %.7f</source>
        <comment>142</comment>
        <translation>Calculated value of SWVP over water out of the permissible range:
Temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:
Wartość Tw/Ti powinna być większa od %.7f</source>
        <comment>143</comment>
        <translation>Calculated value of SWVP over water out of the permissible range:
Tw/Ti should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia powinna być mniejsza lub równa od %.7f</source>
        <comment>144</comment>
        <translation>Calculated value of SWVP over ice out of the permissible range:
Pressure should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:
Temperatura powinna być mniejsza lub równa od %.7f</source>
        <comment>145</comment>
        <translation>Calculated value of SWVP over ice out of the permissible range:
Temperature should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:
Wartość Tw/Ti powinna być większa od %.7f</source>
        <comment>146</comment>
        <translation>Calculated value of SWVP over ice out of the permissible range:
Tw/Ti should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:
Wartość ciśnienia powinna być większa od %.7f</source>
        <comment>147</comment>
        <translation>Calculated value of PPMV over water out of the permissible range:
Pressure should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:
Temperatura powinna być większa od %.7f</source>
        <comment>148</comment>
        <translation>Calculated value of PPMV over water out of the permissible range:
Temperature should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:
Wartość Tw/Ti powinna być mniejsza lub równa od %.7f</source>
        <comment>149</comment>
        <translation>Calculated value of PPMV over water out of the permissible range:
Tw/Ti should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:
Wartość ciśnienia powinna być większa od %.7f</source>
        <comment>150</comment>
        <translation>Calculated value of PPMV over ice out of the permissible range:
Pressure should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:
Temperatura powinna być większa od %.7f</source>
        <comment>151</comment>
        <translation>Calculated value of PPMV over ice out of the permissible range:
Temperature should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:
Wartość Tw/Ti powinna być mniejsza lub równa od %.7f</source>
        <comment>152</comment>
        <translation>Calculated value of PPMV over ice out of the permissible range:
Tw/Ti should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:
Wartość PPMW powinna być mniejsza lub równa od %.7f</source>
        <comment>153</comment>
        <translation>Calculated value of SWVP over water out of the permissible range:
PPMW should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:
Wartość PPMW powinna być mniejsza lub równa od %.7f</source>
        <comment>154</comment>
        <translation>Calculated value of SWVP over ice out of the permissible range:
PPMW should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:
Wartość PPMW powinna być większa od %.7f</source>
        <comment>155</comment>
        <translation>Calculated value of DP over ice out of the permissible range:
PPMW should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:
Wartość entalpii powinna być mniejsza lub równa od %.7f</source>
        <comment>156</comment>
        <translation>Calculated value of SWVP over water out of the permissible range:
Enthalpy should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:
Enthalpy powinna być mniejsza lub równa od %.7f</source>
        <comment>157</comment>
        <translation>Calculated value of SWVP over ice out of the permissible range:
Enthalpy should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:
Entalpia powinna być większa od %.7f</source>
        <comment>158</comment>
        <translation>Calculated value of DP over ice out of the permissible range:
Enthalpy should be greater than %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:
Wartość PPMV powinna być mniejsza lub równa od %.7f</source>
        <comment>159</comment>
        <translation>Calculated value of PPMV over water out of the permissible range:
PPMV should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:
Wartość PPMV powinna być mniejsza lub równa od %.7f</source>
        <comment>160</comment>
        <translation>Calculated value of PPMV over ice out of the permissible range:
PPMV should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMW nad wodą poza dopuszczalnym zakresem:
Wartość PPMV powinna być mniejsza lub równa od %.7f</source>
        <comment>161</comment>
        <translation>Calculated value of PPMW over water out of the permissible range:
PPMV should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość PPMW nad lodem poza dopuszczalnym zakresem:
Wartość PPMV powinna być mniejsza lub równa od %.7f</source>
        <comment>162</comment>
        <translation>Calculated value of PPMW over ice out of the permissible range:
PPMV should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość X nad wodą poza dopuszczalnym zakresem:
Wartość PPMV powinna być mniejsza lub równa od %.7f</source>
        <comment>163</comment>
        <translation>Calculated value of x over water out of the permissible range:
PPMV should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Obliczona wartość X nad lodem poza dopuszczalnym zakresem:
Wartość PPMV powinna być mniejsza lub równa od %.7f</source>
        <comment>164</comment>
        <translation>Calculated value of x over ice out of the permissible range:
PPMV should be less than or equal to %.7f</translation>
    </message>
    <message>
        <source>Wybierz port dla MBW DP-30</source>
        <comment>165</comment>
        <translation>Choose the port for the MBW DP-30</translation>
    </message>
    <message>
        <source>Wybierz port dla QX-311</source>
        <comment>166</comment>
        <translation>Choose the port for the QX-311</translation>
    </message>
    <message>
        <source>Wybierz port dla QX-316</source>
        <comment>167</comment>
        <translation>Choose the port for the QX-316</translation>
    </message>
    <message>
        <source>Wybrane porty muszą być różne</source>
        <comment>168</comment>
        <translation>The selected ports must be different</translation>
    </message>
    <message>
        <source>Uzupełnij wartość temperatury punktu rosy</source>
        <comment>169</comment>
        <translation>Enter the dew-point temperature</translation>
    </message>
    <message>
        <source>Błąd</source>
        <comment>170</comment>
        <translation>Error</translation>
    </message>
    <message>
        <source>Czas próbkowania wejścia powinien zawierać się w przedziale od 60 do 600 sekund</source>
        <comment>171</comment>
        <translation>The input sampling time should lie between 60 and 600 seconds</translation>
    </message>
    <message>
        <source>Wartość uaktualniania obliczeń powinna zawierać się w przedziale od 3 do 600 sekund</source>
        <comment>172</comment>
        <translation>The calculation update interval should lie between 3 and 600 seconds</translation>
    </message>
    <message>
        <source>Błąd: MBW DP30 poza dopuszczalnym zakresem</source>
        <comment>173</comment>
        <translation>Error of the MBW DP30 out of the permissible range</translation>
    </message>
    <message>
        <source>Błąd ASL F-250 poza dopuszczalnym zakresem</source>
        <comment>174</comment>
        <translation>Error of the ASL F-250 out of the permissible range</translation>
    </message>
    <message>
        <source>Błąd: QX-311 poza dopuszczalnym zakresem</source>
        <comment>175</comment>
        <translation>Error of the QX-311 out of the permissible range</translation>
    </message>
    <message>
        <source>Błąd: QX-316 poza dopuszczalnym zakresem</source>
        <comment>176</comment>
        <translation>Error of the QX-316 out of the permissible range</translation>
    </message>
    <message>
        <source>Ilość prób używanych do obliczenia wejścia powinna zawierać się w przedziale od 2 do 100</source>
        <comment>177</comment>
        <translation>The number of samples used to compute an input should lie between 2 and 100</translation>
    </message>
    <message>
        <source>Wartości obliczone, uwzględniono niepewność wzorów</source>
        <comment>178</comment>
        <translation>Calculated values, formula uncertainty included</translation>
    </message>
    <message>
        <source>Wartości obliczone, NIE uwzględniono niepewności wzorów</source>
        <comment>179</comment>
        <translation>Calculated values, formula uncertainty NOT included</translation>
    </message>
    <message>
        <source>Ciśnienie barometryczne powietrza</source>
        <comment>180</comment>
        <translation>Barometric air pressure</translation>
    </message>
    <message>
        <source>Ustaw porty</source>
        <comment>182</comment>
        <translation>Set up the ports</translation>
    </message>
    <message>
        <source>Obliczono programem Wegator %s</source>
        <comment>183</comment>
        <translation>Calculated with Wegator %s</translation>
    </message>
    <message>
        <source>Nr akredytacji: %s</source>
        <comment>184</comment>
        <translation>Accreditation No.: %s</translation>
    </message>
    <message>
        <source>DP/FP wejście</source>
        <comment>185</comment>
        <translation>DP/FP input</translation>
    </message>
    <message>
        <source>Data i czas</source>
        <comment>186</comment>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>T wejście</source>
        <comment>187</comment>
        <translation>T input</translation>
    </message>
    <message>
        <source>Pb wejście</source>
        <comment>188</comment>
        <translation>Pb input</translation>
    </message>
    <message>
        <source>nad wodą</source>
        <comment>189</comment>
        <translation>over water</translation>
    </message>
    <message>
        <source>nad lodem</source>
        <comment>190</comment>
        <translation>over ice</translation>
    </message>
    <message>
        <source>Lista CSV (*.csv)|*.csv|Plik tekstowy (*.txt)|*.txt|Wszystkie pliki (*.*)|*.*||</source>
        <comment>191</comment>
        <translation>CSV list (*.csv)|*.csv|Text file (*.txt)|*.txt|All files (*.*)|*.*||</translation>
    </message>
    <message>
        <source>Wybierz plik danych</source>
        <comment>192</comment>
        <translation>Choose the data file</translation>
    </message>
    <message>
        <source>Czas zapisu powinien zawierać się w przedziale od 1 do 6000</source>
        <comment>193</comment>
        <translation>The recording interval should lie between 1 and 6000</translation>
    </message>
    <message>
        <source>Ustaw nazwę pliku</source>
        <comment>194</comment>
        <translation>Set the file name</translation>
    </message>
    <message>
        <source>Wybrany plik nie może być użyty</source>
        <comment>195</comment>
        <translation>The selected file cannot be used</translation>
    </message>
    <message>
        <source>Wybrany plik już istnieje. Skasować go?</source>
        <comment>196</comment>
        <translation>The selected file already exists. Delete it?</translation>
    </message>
    <message>
        <source>Format CSV</source>
        <comment>197</comment>
        <translation>CSV format</translation>
    </message>
    <message>
        <source>Format tekstowy</source>
        <comment>198</comment>
        <translation>Text format</translation>
    </message>
    <message>
        <source>TREVAN WEGATOR WILGOTNOŚCI</source>
        <comment>199</comment>
        <translation>TREVAN HUMIDITY WEGATOR</translation>
    </message>
    <message>
        <source>Wybierz port dla F-250</source>
        <comment>201</comment>
        <translation>Choose the port for the F-250</translation>
    </message>
    <message>
        <source>Wartość</source>
        <comment>202</comment>
        <translation>Value</translation>
    </message>
    <message>
        <source>Usunąć rekord?</source>
        <comment>203</comment>
        <translation>Delete the record?</translation>
    </message>
    <message>
        <source>Plik kalibracji (*.cal)|*.cal||</source>
        <comment>205</comment>
        <translation>Calibration file (*.cal)|*.cal||</translation>
    </message>
    <message>
        <source>Wybierz plik do zapisu</source>
        <comment>206</comment>
        <translation>Choose a file to save to</translation>
    </message>
    <message>
        <source>Wybrany plik jest niedostępny.</source>
        <comment>207</comment>
        <translation>The selected file is not accessible.</translation>
    </message>
    <message>
        <source>Liczba używanych tablic przez QX-311</source>
        <comment>208</comment>
        <translation>Number of tables used by the QX-311</translation>
    </message>
    <message>
        <source>Plik kalibracji jest niedostępny.</source>
        <comment>209</comment>
        <translation>The calibration file is not accessible.</translation>
    </message>
    <message>
        <source>Poprawka</source>
        <comment>210</comment>
        <translation>Correction</translation>
    </message>
    <message>
        <source>Niepewność standardowa</source>
        <comment>211</comment>
        <translation>Standard uncertainty</translation>
    </message>
    <message>
        <source>Wybierz QX-310, QX-311 or ASL F-250</source>
        <comment>212</comment>
        <translation>Choose the QX-310, QX-311 or ASL F-250</translation>
    </message>
    <message>
        <source>Musisz zapisać tablicę</source>
        <comment>213</comment>
        <translation>You must save the table</translation>
    </message>
    <message>
        <source>Tablica DP30 jest używana</source>
        <comment>214</comment>
        <translation>DP30 table in use</translation>
    </message>
    <message>
        <source>Brak tablicy QX-311</source>
        <comment>215</comment>
        <translation>No QX-311 table</translation>
    </message>
    <message>
        <source>Brak tablicy DP30</source>
        <comment>216</comment>
        <translation>No DP30 table</translation>
    </message>
    <message>
        <source>Wybierz port dla QX-310</source>
        <comment>217</comment>
        <translation>Choose the port for the QX-310</translation>
    </message>
    <message>
        <source>Błąd: QX-310 poza dopuszczalnym zakresem</source>
        <comment>218</comment>
        <translation>Error of the QX-310 out of the permissible range</translation>
    </message>
    <message>
        <source>Tablica QX-310 jest używana</source>
        <comment>220</comment>
        <translation>QX-310 table in use</translation>
    </message>
    <message>
        <source>Brak tablicy QX-310</source>
        <comment>221</comment>
        <translation>No QX-310 table</translation>
    </message>
    <message>
        <source>Tablica F250 jest używana</source>
        <comment>239</comment>
        <translation>F250 table in use</translation>
    </message>
    <message>
        <source>Brak tablicy F250</source>
        <comment>240</comment>
        <translation>No F250 table</translation>
    </message>
    <message>
        <source>Wybierz port dla QX-310 (warunki środowiskowe)</source>
        <comment>241</comment>
        <translation>Choose the port for the QX-310 (ambient conditions)</translation>
    </message>
    <message>
        <source>Wartości wejściowe dla ciśnienia P1</source>
        <comment>1001</comment>
        <translation>Input values at pressure P1</translation>
    </message>
    <message>
        <source>Wartości wejściowe</source>
        <comment>1002</comment>
        <translation>Input values</translation>
    </message>
    <message>
        <source>Niepewność</source>
        <comment>1003</comment>
        <translation>Uncertainty</translation>
    </message>
    <message>
        <source>Nad wodą</source>
        <comment>1004</comment>
        <translation>Over water</translation>
    </message>
    <message>
        <source>Nad lodem</source>
        <comment>1005</comment>
        <translation>Over ice</translation>
    </message>
    <message>
        <source>Wartości obliczone</source>
        <comment>1006</comment>
        <translation>Calculated values</translation>
    </message>
    <message>
        <source>Wydrukowano</source>
        <comment>1010</comment>
        <translation>Printed</translation>
    </message>
    <message>
        <source>wzory ITS-90</source>
        <comment>1011</comment>
        <translation>ITS-90 formulations</translation>
    </message>
    <message>
        <source>wzory „A Guide to the Measurement of Humidity”</source>
        <comment>1012</comment>
        <translation>formulas of “A Guide to the Measurement of Humidity”</translation>
    </message>
    <message>
        <source>Z niepewnością wzorów</source>
        <comment>1013</comment>
        <translation>Formula uncertainty included</translation>
    </message>
    <message>
        <source>Bez niepewności wzorów</source>
        <comment>1014</comment>
        <translation>Formula uncertainty not included</translation>
    </message>
    <message>
        <source>stałe psychrometru</source>
        <comment>1015</comment>
        <translation>psychrometer constants</translation>
    </message>
    <message>
        <source>domyślna</source>
        <comment>1016</comment>
        <translation>default</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku pomocy:</source>
        <comment>1017</comment>
        <translation>Cannot open the help file:</translation>
    </message>
    <message>
        <source>Wartość %s już istnieje</source>
        <comment>1100</comment>
        <translation>Value %s already exists</translation>
    </message>
    <message>
        <source>Plik kalibracji jest nieprawidłowy: wiersz %d nie zawiera trzech liczb.</source>
        <comment>1101</comment>
        <translation>The calibration file is not valid: line %d does not hold three numbers.</translation>
    </message>
    <message>
        <source>Plik kalibracji jest nieprawidłowy: wiersz %d ma ujemną niepewność.</source>
        <comment>1102</comment>
        <translation>The calibration file is not valid: line %d has a negative uncertainty.</translation>
    </message>
    <message>
        <source>Plik kalibracji jest nieprawidłowy: wiersz %d powtarza wartość wcześniejszego wiersza.</source>
        <comment>1103</comment>
        <translation>The calibration file is not valid: line %d repeats the value of an earlier line.</translation>
    </message>
    <message>
        <source>Plik kalibracji jest nieprawidłowy: wiersz %d zawiera liczbę spoza zakresu od -1000000 do 1000000.</source>
        <comment>1104</comment>
        <translation>The calibration file is not valid: line %d holds a number outside the range -1000000 to 1000000.</translation>
    </message>
    <message>
        <source>Niepewność nie może być ujemna.</source>
        <comment>1105</comment>
        <translation>The uncertainty cannot be negative.</translation>
    </message>
    <message>
        <source>Wartość, poprawka i niepewność muszą leżeć w zakresie od -1000000 do 1000000.</source>
        <comment>1106</comment>
        <translation>The value, the correction and the uncertainty must lie between -1000000 and 1000000.</translation>
    </message>
    <message>
        <source>Nie udało się zapisać ustawień. Plik ustawień pozostał bez zmian:</source>
        <comment>1300</comment>
        <translation>The settings could not be saved. The settings file was left as it was:</translation>
    </message>
    <message>
        <source>Pliku ustawień nie udało się odczytać przy uruchomieniu programu. Aby go nie zastąpić, ustawienia z tej sesji nie zostały zapisane:</source>
        <comment>1301</comment>
        <translation>The settings file could not be read when the program started. So as not to replace it, the settings of this session were not saved:</translation>
    </message>
    <message>
        <source>Co ile sekund przeliczane są wyniki laboratorium: od 3 do 600 s</source>
        <comment>1310</comment>
        <translation>How many seconds apart the laboratory's results are recomputed: 3 to 600 s</translation>
    </message>
    <message>
        <source>Przez ile sekund zbierane są obserwacje do średniej: od 60 do 600 s</source>
        <comment>1311</comment>
        <translation>Over how many seconds the observations for the average are collected: 60 to 600 s</translation>
    </message>
    <message>
        <source>Ile ostatnich obserwacji każdego wejścia wchodzi do średniej (N): od 2 do 100</source>
        <comment>1312</comment>
        <translation>How many of each input's latest observations are averaged (N): 2 to 100</translation>
    </message>
    <message>
        <source>Niepewność standardowa odczytu przyrządu, w jednostce temperatury wybranej poniżej: od 0 do 50 K</source>
        <comment>1313</comment>
        <translation>Standard uncertainty of the instrument's reading, in the temperature unit chosen below: 0 to 50 K</translation>
    </message>
    <message>
        <source>Niepewność standardowa odczytu barometru, w jednostce ciśnienia wybranej poniżej: od 0 do 1000 kPa</source>
        <comment>1314</comment>
        <translation>Standard uncertainty of the barometer's reading, in the pressure unit chosen below: 0 to 1000 kPa</translation>
    </message>
    <message>
        <source>Co ile minut zapisywany jest wiersz pliku danych: od 1 do 6000 minut</source>
        <comment>1315</comment>
        <translation>How many minutes apart a row goes into the data file: 1 to 6000 minutes</translation>
    </message>
    <message>
        <source>Seria pomiarów kalibracyjnych zapisywana do plików w wybranym katalogu; najpierw zeruje uśrednianie jak „Wyczyść”</source>
        <comment>1316</comment>
        <translation>A series of calibration measurements written to files in a chosen folder; it first restarts the averaging as “Clear” does</translation>
    </message>
    <message>
        <source>Uśrednione wartości wejściowe</source>
        <comment>1200</comment>
        <translation>Averaged input values</translation>
    </message>
    <message>
        <source>Brak pomiarów temperatury</source>
        <comment>1201</comment>
        <translation>No temperature measurements</translation>
    </message>
    <message>
        <source>Brak pomiarów punktu rosy</source>
        <comment>1202</comment>
        <translation>No dew-point measurements</translation>
    </message>
    <message>
        <source>Zostanie przeprowadzone %d pomiarów co %d s</source>
        <comment>1203</comment>
        <translation>%d measurements will be taken every %d s</translation>
    </message>
    <message>
        <source>Opóźnienie nie może być mniejsze od zera</source>
        <comment>1204</comment>
        <translation>The delay cannot be less than zero</translation>
    </message>
    <message>
        <source>Ustaw ścieżkę zapisu</source>
        <comment>1205</comment>
        <translation>Set the folder to save into</translation>
    </message>
    <message>
        <source>Opóźnienie nie może być większe niż 2147483 s</source>
        <comment>1206</comment>
        <translation>The delay cannot be longer than 2147483 s</translation>
    </message>
    <message>
        <source>Nie udało się zapisać rekordu w pliku danych
%s
(%s).
Rekordy czekają w pamięci i zostaną dopisane, gdy zapis znów będzie możliwy.</source>
        <comment>1207</comment>
        <translation>A record could not be written to the data file
%s
(%s).
The records wait in memory and will be added once writing is possible again.</translation>
    </message>
    <message>
        <source>Brak połączenia z %s; ponowna próba co 10 s</source>
        <comment>1208</comment>
        <translation>No connection to %s; trying again every 10 s</translation>
    </message>
    <message>
        <source>Wyniki czekają na pierwszy odczyt kanałów QX-311</source>
        <comment>1209</comment>
        <translation>The results wait for the first reading of the QX-311 channels</translation>
    </message>
    <message>
        <source>Rekordy czekające na zapis: %d</source>
        <comment>1210</comment>
        <translation>Records waiting to be written: %d</translation>
    </message>
    <message>
        <source>Nie udało się zapisać pliku serii
%s
(%s).
Seria została przerwana.</source>
        <comment>1211</comment>
        <translation>A run file could not be written
%s
(%s).
The run has been stopped.</translation>
    </message>
    <message>
        <source>Obliczenie nie powiodło się: %s</source>
        <comment>1212</comment>
        <translation>The calculation failed: %s</translation>
    </message>
    <message>
        <source>Rekordy porzucone z braku miejsca: %d</source>
        <comment>1213</comment>
        <translation>Records given up for lack of room: %d</translation>
    </message>
    <message>
        <source>QX-310</source>
        <comment>1220</comment>
        <translation>QX-310</translation>
    </message>
    <message>
        <source>QX-311</source>
        <comment>1221</comment>
        <translation>QX-311</translation>
    </message>
    <message>
        <source>QX-316</source>
        <comment>1222</comment>
        <translation>QX-316</translation>
    </message>
    <message>
        <source>MBW DP30</source>
        <comment>1223</comment>
        <translation>MBW DP30</translation>
    </message>
    <message>
        <source>ASL F-250</source>
        <comment>1224</comment>
        <translation>ASL F-250</translation>
    </message>
    <message>
        <source>QX-310 (warunki środowiskowe)</source>
        <comment>1225</comment>
        <translation>QX-310 (environment conditions)</translation>
    </message>
    <message>
        <source>Seria przerwana: %s; wykonano %d z %d pomiarów</source>
        <comment>1230</comment>
        <translation>Series interrupted: %s; %d of %d measurements taken</translation>
    </message>
    <message>
        <source>zatrzymana przyciskiem „Stop”</source>
        <comment>1231</comment>
        <translation>stopped with “Stop”</translation>
    </message>
    <message>
        <source>zamknięto okno „Kalibracja”</source>
        <comment>1232</comment>
        <translation>the “Calibration” window was closed</translation>
    </message>
    <message>
        <source>zamknięto program</source>
        <comment>1233</comment>
        <translation>the program was closed</translation>
    </message>
    <message>
        <source>błąd zapisu pliku serii</source>
        <comment>1234</comment>
        <translation>a series file could not be written</translation>
    </message>
    <message>
        <source>sygnał zatrzymania (SIGINT lub SIGTERM)</source>
        <comment>1235</comment>
        <translation>stop signal (SIGINT or SIGTERM)</translation>
    </message>
    <message>
        <source>upłynął czas pracy stanowiska (--seconds)</source>
        <comment>1236</comment>
        <translation>the station&apos;s running time is over (--seconds)</translation>
    </message>
    <message>
        <source>nie udało się otworzyć żadnego przyrządu</source>
        <comment>1237</comment>
        <translation>no instrument could be opened</translation>
    </message>
    <message>
        <source>pomiar %d z %d, następny za %d s, koniec ok. %s</source>
        <comment>1238</comment>
        <translation>measurement %d of %d, next in %d s, ends about %s</translation>
    </message>
    <message>
        <source>start za %d s, koniec ok. %s</source>
        <comment>1239</comment>
        <translation>starts in %d s, ends about %s</translation>
    </message>
    <message>
        <source>start po pierwszym odczycie przyrządów, najpóźniej za %d s</source>
        <comment>1240</comment>
        <translation>starts at the instruments&apos; first readings, at the latest in %d s</translation>
    </message>
    <message>
        <source>Seria kalibracyjna trwa (wykonano %d z %d pomiarów).
Przerwać ją?</source>
        <comment>1241</comment>
        <translation>A calibration series is running (%d of %d measurements taken).
Interrupt it?</translation>
    </message>
    <message>
        <source>Zakończenie programu zatrzyma:
%s

Zakończyć program?</source>
        <comment>1242</comment>
        <translation>Ending the program stops:
%s

End the program?</translation>
    </message>
    <message>
        <source>– pomiary przyrządów i uśrednianie ich odczytów</source>
        <comment>1243</comment>
        <translation>– the instruments&apos; measuring and the averaging of their readings</translation>
    </message>
    <message>
        <source>– zapis do pliku danych %s</source>
        <comment>1244</comment>
        <translation>– the recording of the data file %s</translation>
    </message>
    <message>
        <source>– serię kalibracyjną (wykonano %d z %d pomiarów)</source>
        <comment>1245</comment>
        <translation>– the calibration series (%d of %d measurements taken)</translation>
    </message>
    <message>
        <source>– serię kalibracyjną czekającą na start (%d pomiarów)</source>
        <comment>1246</comment>
        <translation>– the calibration series waiting for its start (%d measurements)</translation>
    </message>
    <message>
        <source>Utracono połączenie z %s (%s): %s</source>
        <comment>1250</comment>
        <translation>Lost the connection to %s (%s): %s</translation>
    </message>
    <message>
        <source>%s (%s) znów przesyła odczyty</source>
        <comment>1251</comment>
        <translation>%s (%s) is sending readings again</translation>
    </message>
    <message>
        <source>brak odczytów od %d s</source>
        <comment>1252</comment>
        <translation>no reading for %d s</translation>
    </message>
    <message>
        <source>Wartości nieaktualne: %s</source>
        <comment>1253</comment>
        <translation>Values out of date: %s</translation>
    </message>
    <message>
        <source>Zapis wstrzymany, wartości nieaktualne: %s; pominięte rekordy: %d</source>
        <comment>1254</comment>
        <translation>Recording paused, values out of date: %s; records skipped: %d</translation>
    </message>
    <message>
        <source>Zapis wznowiony; pominięte rekordy: %d</source>
        <comment>1255</comment>
        <translation>Recording resumed; records skipped: %d</translation>
    </message>
    <message>
        <source>UWAGA: wartości nieaktualne: %s</source>
        <comment>1256</comment>
        <translation>WARNING: values out of date: %s</translation>
    </message>
    <message>
        <source>Brak odczytów: %s</source>
        <comment>1257</comment>
        <translation>No readings: %s</translation>
    </message>
    <message>
        <source>Brak ciśnienia wpisywanego ręcznie: wpisz je w Ustawieniach, na stronie „Porty”</source>
        <comment>1258</comment>
        <translation>No pressure entered by hand: enter it in the Settings, on the “Ports” page</translation>
    </message>
    <message>
        <source>%s (ostatni odczyt %d s temu)</source>
        <comment>1259</comment>
        <translation>%s (last reading %d s ago)</translation>
    </message>
    <message>
        <source>%s (brak połączenia)</source>
        <comment>1260</comment>
        <translation>%s (no connection)</translation>
    </message>
    <message>
        <source>Obliczenia znów dają wyniki</source>
        <comment>1261</comment>
        <translation>The calculation gives results again</translation>
    </message>
    <message>
        <source>Tablica włączona, lecz nie wczytana: %s</source>
        <comment>1262</comment>
        <translation>Table switched on but not loaded: %s</translation>
    </message>
    <message>
        <source>Brak tablicy %s: odczyty bez poprawek</source>
        <comment>1263</comment>
        <translation>No table %s: readings uncorrected</translation>
    </message>
    <message>
        <source>NIEAKTUALNE: %s</source>
        <comment>1264</comment>
        <translation>STALE: %s</translation>
    </message>
    <message>
        <source>nieaktualne: %s</source>
        <comment>1265</comment>
        <translation>stale: %s</translation>
    </message>
    <message>
        <source>%d z %d pomiarów z nieaktualnym wejściem (%s)</source>
        <comment>1266</comment>
        <translation>%d of %d observations with a stale input (%s)</translation>
    </message>
    <message>
        <source>Błąd pomiaru</source>
        <comment>1267</comment>
        <translation>Measurement failed</translation>
    </message>
    <message>
        <source>Temperatura</source>
        <comment>1268</comment>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Punkt rosy</source>
        <comment>1269</comment>
        <translation>Dew point</translation>
    </message>
    <message>
        <source>Wilgotność obl.</source>
        <comment>1270</comment>
        <translation>Calculated RH</translation>
    </message>
    <message>
        <source>%s dryft</source>
        <comment>1271</comment>
        <translation>%s drift</translation>
    </message>
    <message>
        <source>Niepweność</source>
        <comment>1272</comment>
        <translation>Uncertainty</translation>
    </message>
    <message>
        <source>Niejednorodność</source>
        <comment>1273</comment>
        <translation>Non-uniformity</translation>
    </message>
    <message>
        <source>Podsumowanie:</source>
        <comment>1274</comment>
        <translation>Summary:</translation>
    </message>
    <message>
        <source>Pomiary rozpoczęto: %s</source>
        <comment>1275</comment>
        <translation>Measurements started: %s</translation>
    </message>
    <message>
        <source>Pomiary zakończono: %s</source>
        <comment>1276</comment>
        <translation>Measurements ended: %s</translation>
    </message>
    <message>
        <source>Temperatura: %s, niepewność: %s</source>
        <comment>1277</comment>
        <translation>Temperature: %s, uncertainty: %s</translation>
    </message>
    <message>
        <source>Niejednorodność QX-311 (tnmax - tnmin): %s</source>
        <comment>1278</comment>
        <translation>QX-311 non-uniformity (tnmax - tnmin): %s</translation>
    </message>
    <message>
        <source>Niepewność od niejednorodności QX-311 (utnj): %s</source>
        <comment>1279</comment>
        <translation>Uncertainty from the QX-311 non-uniformity (utnj): %s</translation>
    </message>
    <message>
        <source>Punkt rosy: %s, niepewność: %s</source>
        <comment>1280</comment>
        <translation>Dew point: %s, uncertainty: %s</translation>
    </message>
    <message>
        <source>Wartości obliczone</source>
        <comment>1281</comment>
        <translation>Calculated values</translation>
    </message>
    <message>
        <source>Wilgotność: %s, niepewność: %s</source>
        <comment>1282</comment>
        <translation>Humidity: %s, uncertainty: %s</translation>
    </message>
    <message>
        <source>Warunki środowiskowe &lt;min; max&gt;:</source>
        <comment>1283</comment>
        <translation>Ambient conditions &lt;min; max&gt;:</translation>
    </message>
    <message>
        <source>Temperatura %s</source>
        <comment>1284</comment>
        <translation>Temperature %s</translation>
    </message>
    <message>
        <source>Wilgotność %s</source>
        <comment>1285</comment>
        <translation>Humidity %s</translation>
    </message>
    <message>
        <source>Ciśnienie %s</source>
        <comment>1286</comment>
        <translation>Pressure %s</translation>
    </message>
    <message>
        <source>Stabilność w czasie serii:</source>
        <comment>1287</comment>
        <translation>Stability during the series:</translation>
    </message>
    <message>
        <source>%s: dryft %s, odchylenie standardowe %s</source>
        <comment>1288</comment>
        <translation>%s: drift %s, standard deviation %s</translation>
    </message>
    <message>
        <source>Stanowisko stabilne przez całą serię</source>
        <comment>1289</comment>
        <translation>Station stable throughout the series</translation>
    </message>
    <message>
        <source>Stanowisko niestabilne w %d z %d pomiarów</source>
        <comment>1290</comment>
        <translation>Station not stable in %d of %d measurements</translation>
    </message>
    <message>
        <source>Budżet niepewności standardowej średnich:</source>
        <comment>1291</comment>
        <translation>Standard uncertainty budget of the averages:</translation>
    </message>
    <message>
        <source>DP/FP: przyrząd %s, tablica %s, rozrzut %s, złożona %s</source>
        <comment>1292</comment>
        <translation>DP/FP: instrument %s, table %s, scatter %s, combined %s</translation>
    </message>
    <message>
        <source>T: przyrząd %s, tablica %s, rozrzut %s, niejednorodność %s, złożona %s</source>
        <comment>1293</comment>
        <translation>T: instrument %s, table %s, scatter %s, non-uniformity %s, combined %s</translation>
    </message>
    <message>
        <source>Pb: przyrząd %s, rozrzut %s, złożona %s</source>
        <comment>1294</comment>
        <translation>Pb: instrument %s, scatter %s, combined %s</translation>
    </message>
    <message>
        <source>Niepewność rozszerzona (k = 2):</source>
        <comment>1295</comment>
        <translation>Expanded uncertainty (k = 2):</translation>
    </message>
    <message>
        <source>Wilgotność</source>
        <comment>1296</comment>
        <translation>Humidity</translation>
    </message>
    <message>
        <source>Czas</source>
        <comment>1297</comment>
        <translation>Time</translation>
    </message>
    <message>
        <source>Plik jest zbyt duży, by mógł być tablicą korekcji (ponad 16 MiB).</source>
        <comment>1340</comment>
        <translation>The file is too large to be a correction table (over 16 MiB).</translation>
    </message>
    <message>
        <source>DP/FP</source>
        <comment>1400</comment>
        <translation>DP/FP</translation>
    </message>
    <message>
        <source>T</source>
        <comment>1401</comment>
        <translation>T</translation>
    </message>
    <message>
        <source>Pb</source>
        <comment>1402</comment>
        <translation>Pb</translation>
    </message>
    <message>
        <source>T otoczenia</source>
        <comment>1403</comment>
        <translation>Room T</translation>
    </message>
    <message>
        <source>RH otoczenia</source>
        <comment>1404</comment>
        <translation>Room RH</translation>
    </message>
    <message>
        <source>DP/FP średnia</source>
        <comment>1405</comment>
        <translation>DP/FP average</translation>
    </message>
    <message>
        <source>T średnia</source>
        <comment>1406</comment>
        <translation>T average</translation>
    </message>
    <message>
        <source>Pb średnie</source>
        <comment>1407</comment>
        <translation>Pb average</translation>
    </message>
    <message>
        <source>Kanał 1</source>
        <comment>1408</comment>
        <translation>Channel 1</translation>
    </message>
    <message>
        <source>Kanał 2</source>
        <comment>1409</comment>
        <translation>Channel 2</translation>
    </message>
    <message>
        <source>Kanał 3</source>
        <comment>1410</comment>
        <translation>Channel 3</translation>
    </message>
    <message>
        <source>Kanał 4</source>
        <comment>1411</comment>
        <translation>Channel 4</translation>
    </message>
    <message>
        <source>Kanał 5</source>
        <comment>1412</comment>
        <translation>Channel 5</translation>
    </message>
    <message>
        <source>Kanał 6</source>
        <comment>1413</comment>
        <translation>Channel 6</translation>
    </message>
    <message>
        <source>Kanał 7</source>
        <comment>1414</comment>
        <translation>Channel 7</translation>
    </message>
    <message>
        <source>Kanał 8</source>
        <comment>1415</comment>
        <translation>Channel 8</translation>
    </message>
    <message>
        <source>Rozrzut kanałów</source>
        <comment>1416</comment>
        <translation>Channel spread</translation>
    </message>
    <message>
        <source>DP/FP wynik</source>
        <comment>1417</comment>
        <translation>DP/FP result</translation>
    </message>
    <message>
        <source>RH wynik</source>
        <comment>1418</comment>
        <translation>RH result</translation>
    </message>
    <message>
        <source>T wynik</source>
        <comment>1419</comment>
        <translation>T result</translation>
    </message>
    <message>
        <source>%s stabilne od %s (%s min)</source>
        <comment>1420</comment>
        <translation>%s stable since %s (%s min)</translation>
    </message>
    <message>
        <source>niestabilne: %s dryft %s %s/min &gt; %s</source>
        <comment>1421</comment>
        <translation>not stable: %s drift %s %s/min &gt; %s</translation>
    </message>
    <message>
        <source>niestabilne: %s odchylenie standardowe %s %s &gt; %s</source>
        <comment>1422</comment>
        <translation>not stable: %s standard deviation %s %s &gt; %s</translation>
    </message>
    <message>
        <source>niestabilne: %s za mało odczytów (%s z %s)</source>
        <comment>1423</comment>
        <translation>not stable: %s too few readings (%s of %s)</translation>
    </message>
    <message>
        <source>niestabilne: %s okno niepełne (%s z %s min)</source>
        <comment>1424</comment>
        <translation>not stable: %s window not full (%s of %s min)</translation>
    </message>
    <message>
        <source>Okno oceny stabilności musi wynosić od 1 do 240 min</source>
        <comment>1425</comment>
        <translation>The stability window must be 1 to 240 min</translation>
    </message>
    <message>
        <source>Granice stabilności muszą być większe od zera i nie większe niż 100</source>
        <comment>1426</comment>
        <translation>Stability limits must be above zero and at most 100</translation>
    </message>
    <message>
        <source>%s stabilne od %s</source>
        <comment>1427</comment>
        <translation>%s stable since %s</translation>
    </message>
    <message>
        <source>Brak odczytów w pokazanym oknie czasu</source>
        <comment>1430</comment>
        <translation>No readings in the time window shown</translation>
    </message>
    <message>
        <source>Nie wybrano wielkości do pokazania</source>
        <comment>1431</comment>
        <translation>No quantity chosen to show</translation>
    </message>
    <message>
        <source>zmiana ustawień</source>
        <comment>1432</comment>
        <translation>settings changed</translation>
    </message>
    <message>
        <source>wyczyszczono</source>
        <comment>1433</comment>
        <translation>cleared</translation>
    </message>
    <message>
        <source>utrata przyrządu</source>
        <comment>1434</comment>
        <translation>instrument lost</translation>
    </message>
    <message>
        <source>przyrząd wrócił</source>
        <comment>1435</comment>
        <translation>instrument back</translation>
    </message>
    <message>
        <source>10 min</source>
        <comment>1436</comment>
        <translation>10 min</translation>
    </message>
    <message>
        <source>1 h</source>
        <comment>1437</comment>
        <translation>1 h</translation>
    </message>
    <message>
        <source>8 h</source>
        <comment>1438</comment>
        <translation>8 h</translation>
    </message>
    <message>
        <source>24 h</source>
        <comment>1439</comment>
        <translation>24 h</translation>
    </message>
    <message>
        <source>Okno czasu</source>
        <comment>1440</comment>
        <translation>Time window</translation>
    </message>
    <message>
        <source>Wielkości</source>
        <comment>1441</comment>
        <translation>Quantities</translation>
    </message>
    <message>
        <source>Eksportuj wykres…</source>
        <comment>1442</comment>
        <translation>Export chart…</translation>
    </message>
    <message>
        <source>Obraz PNG (*.png)</source>
        <comment>1443</comment>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>Rysunek SVG (*.svg)</source>
        <comment>1444</comment>
        <translation>SVG drawing (*.svg)</translation>
    </message>
    <message>
        <source>Dokument PDF (*.pdf)</source>
        <comment>1445</comment>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Nie udało się zapisać wykresu do %s: %s</source>
        <comment>1446</comment>
        <translation>The chart could not be saved to %s: %s</translation>
    </message>
    <message>
        <source>nieznany rodzaj pliku „%s”: wybierz .png, .svg lub .pdf</source>
        <comment>1447</comment>
        <translation>unknown file type “%s”: choose .png, .svg or .pdf</translation>
    </message>
    <message>
        <source>nie można zapisać pliku</source>
        <comment>1448</comment>
        <translation>the file cannot be written</translation>
    </message>
    <message>
        <source>Zapisz wykres</source>
        <comment>1449</comment>
        <translation>Save chart</translation>
    </message>
    <message>
        <source>Wiersz %d: to nie jest zapis stacji ani seria pomiarów kalibracji</source>
        <comment>1450</comment>
        <translation>Line %d: this is neither a station record nor the series of a calibration run</translation>
    </message>
    <message>
        <source>Wiersz %d: nieczytelna data i czas „%s”</source>
        <comment>1451</comment>
        <translation>Line %d: unreadable date and time “%s”</translation>
    </message>
    <message>
        <source>Wiersz %d: pól z wartościami jest %s, a kolumn w nagłówku %s</source>
        <comment>1452</comment>
        <translation>Line %d: %s value fields, but the header has %s columns</translation>
    </message>
    <message>
        <source>Wiersz %d: „%s” nie jest liczbą</source>
        <comment>1453</comment>
        <translation>Line %d: “%s” is not a number</translation>
    </message>
    <message>
        <source>Wiersz %d: pomiar numer %s, oczekiwano %s</source>
        <comment>1454</comment>
        <translation>Line %d: observation number %s, expected %s</translation>
    </message>
    <message>
        <source>Wiersz %d: w pliku nie ma żadnego zapisu</source>
        <comment>1455</comment>
        <translation>Line %d: the file holds no record</translation>
    </message>
    <message>
        <source>Wiersz %d: seria nie podaje czasu pomiarów (brak podsumowania i daty w nazwie pliku)</source>
        <comment>1456</comment>
        <translation>Line %d: the series does not tell when it was measured (no summary and no date in the file name)</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku %s</source>
        <comment>1457</comment>
        <translation>The file %s cannot be read</translation>
    </message>
    <message>
        <source>Nie można narysować pliku %s:
%s</source>
        <comment>1458</comment>
        <translation>The file %s cannot be drawn:
%s</translation>
    </message>
    <message>
        <source>wznowienie zapisu</source>
        <comment>1459</comment>
        <translation>recording resumed</translation>
    </message>
    <message>
        <source>Otwórz zapis stacji</source>
        <comment>1460</comment>
        <translation>Open station record</translation>
    </message>
    <message>
        <source>Zapisy stacji (*.txt *.csv);;Wszystkie pliki (*)</source>
        <comment>1461</comment>
        <translation>Station records (*.txt *.csv);;All files (*)</translation>
    </message>
    <message>
        <source>Zapis stacji – %s</source>
        <comment>1462</comment>
        <translation>Station record – %s</translation>
    </message>
    <message>
        <source>Panel %s: %s, oś od %s do %s, podziałka: %s</source>
        <comment>1463</comment>
        <translation>Panel %s: %s, axis from %s to %s, ticks: %s</translation>
    </message>
    <message>
        <source>Czas: od %s do %s</source>
        <comment>1464</comment>
        <translation>Time: from %s to %s</translation>
    </message>
    <message>
        <source>Plik nie ma kolumny „%s”</source>
        <comment>1465</comment>
        <translation>The file has no column “%s”</translation>
    </message>
    <message>
        <source>Nieczytelny czas „%s”: podaj GG:MM lub RRRR-MM-DD GG:MM[:SS]</source>
        <comment>1466</comment>
        <translation>Unreadable time “%s”: give HH:MM or YYYY-MM-DD HH:MM[:SS]</translation>
    </message>
    <message>
        <source>Zapisano wykres: %s</source>
        <comment>1467</comment>
        <translation>Chart written: %s</translation>
    </message>
    <message>
        <source>W wybranym czasie nie ma żadnego odczytu</source>
        <comment>1468</comment>
        <translation>No reading in the chosen time</translation>
    </message>
    <message>
        <source>&amp;Otwórz zapis stacji…</source>
        <comment>1469</comment>
        <translation>&amp;Open station record…</translation>
    </message>
    <message>
        <source>czeka na stabilność: %s; najdłużej do %s</source>
        <comment>1470</comment>
        <translation>waiting for stability: %s; at most until %s</translation>
    </message>
    <message>
        <source>Seria nie rozpoczęta: brak stabilności w ciągu %s min; %s</source>
        <comment>1471</comment>
        <translation>Series not started: no stability within %s min; %s</translation>
    </message>
    <message>
        <source>Najdłuższe oczekiwanie na stabilność po opóźnieniu startu, 1 … 1440 min</source>
        <comment>1472</comment>
        <translation>The longest wait for stability after the start delay, 1 … 1440 min</translation>
    </message>
    <message>
        <source>Seria zaczyna się dopiero wtedy, gdy punkt rosy/szronu i temperatura są stabilne</source>
        <comment>1473</comment>
        <translation>The series starts only once the dew/frost point and the temperature are stable</translation>
    </message>
    <message>
        <source>historia krótsza niż okno: %s z %s</source>
        <comment>1480</comment>
        <translation>history shorter than the window: %s of %s</translation>
    </message>
    <message>
        <source>(+%s)</source>
        <comment>1481</comment>
        <translation>(+%s)</translation>
    </message>
    <message>
        <source>Wyk&amp;res</source>
        <comment>1482</comment>
        <translation>C&amp;hart</translation>
    </message>
    <message>
        <source>Okno czasu, wielkości i eksport wykresu (także Shift+F10 lub klawisz menu)</source>
        <comment>1483</comment>
        <translation>The chart's time window, quantities and export (also Shift+F10 or the menu key)</translation>
    </message>
    <message>
        <source>To folder, nie plik</source>
        <comment>1490</comment>
        <translation>It is a folder, not a file</translation>
    </message>
    <message>
        <source>To potok (FIFO) lub gniazdo, nie plik</source>
        <comment>1491</comment>
        <translation>It is a pipe (FIFO) or a socket, not a file</translation>
    </message>
    <message>
        <source>To urządzenie, nie plik</source>
        <comment>1492</comment>
        <translation>It is a device, not a file</translation>
    </message>
    <message>
        <source>Plik ma ponad %s, więcej niż może mieć zapis stacji</source>
        <comment>1493</comment>
        <translation>The file is over %s, more than a station&apos;s record may be</translation>
    </message>
    <message>
        <source>Nie ma folderu %s</source>
        <comment>1494</comment>
        <translation>There is no folder %s</translation>
    </message>
    <message>
        <source>Plik kalibracji nie zawiera żadnego wiersza.</source>
        <comment>1495</comment>
        <translation>The calibration file holds no row.</translation>
    </message>
    <message>
        <source>Stabilność i trend</source>
        <comment>1500</comment>
        <translation>Stability and trend</translation>
    </message>
    <message>
        <source>Okno oceny: %s min</source>
        <comment>1501</comment>
        <translation>Assessment window: %s min</translation>
    </message>
    <message>
        <source>Dryft</source>
        <comment>1502</comment>
        <translation>Drift</translation>
    </message>
    <message>
        <source>Odch. std.</source>
        <comment>1503</comment>
        <translation>Std. dev.</translation>
    </message>
    <message>
        <source>Rozstęp</source>
        <comment>1504</comment>
        <translation>Peak-to-peak</translation>
    </message>
    <message>
        <source>Odczytów</source>
        <comment>1505</comment>
        <translation>Readings</translation>
    </message>
    <message>
        <source>Granice: dryft; odch.</source>
        <comment>1506</comment>
        <translation>Limits: drift; dev.</translation>
    </message>
    <message>
        <source>Nie wybrano żadnej kolumny do zapisu: zaznacz co najmniej jedną wartość wejściową lub obliczoną albo wyłącz zapis.</source>
        <comment>1520</comment>
        <translation>No column is chosen to be saved: tick at least one input or computed value, or switch saving off.</translation>
    </message>
    <message>
        <source>Zapis: %s co %s min, ostatni rekord %s</source>
        <comment>1540</comment>
        <translation>Recording: %s every %s min, last record %s</translation>
    </message>
    <message>
        <source>Zapis: %s co %s min, pierwszy rekord ok. %s</source>
        <comment>1541</comment>
        <translation>Recording: %s every %s min, first record about %s</translation>
    </message>
    <message>
        <source>Zapis: %s co %s min</source>
        <comment>1542</comment>
        <translation>Recording: %s every %s min</translation>
    </message>
    <message>
        <source>Zapis włączony, lecz nic nie jest zapisywane: %s</source>
        <comment>1543</comment>
        <translation>Recording is on, but nothing is recorded: %s</translation>
    </message>
    <message>
        <source>przyrządy zewnętrzne są wyłączone</source>
        <comment>1544</comment>
        <translation>the external instruments are off</translation>
    </message>
    <message>
        <source>nie wybrano żadnej kolumny</source>
        <comment>1545</comment>
        <translation>no column is chosen</translation>
    </message>
    <message>
        <source>plik danych nie jest otwarty</source>
        <comment>1546</comment>
        <translation>the data file is not open</translation>
    </message>
    <message>
        <source>Dane pomiaru</source>
        <comment>1547</comment>
        <translation>Measurement record</translation>
    </message>
    <message>
        <source>Wartości chwilowe z przyrządów</source>
        <comment>1548</comment>
        <translation>Instantaneous values from the instruments</translation>
    </message>
    <message>
        <source>Wartość</source>
        <comment>1549</comment>
        <translation>Value</translation>
    </message>
    <message>
        <source>Ostatnia zmiana</source>
        <comment>1550</comment>
        <translation>Last change</translation>
    </message>
    <message>
        <source>Obserwacji</source>
        <comment>1551</comment>
        <translation>Observations</translation>
    </message>
    <message>
        <source>Uśrednianie: N = %s, czas zbierania %s s, obserwacja co %s s</source>
        <comment>1552</comment>
        <translation>Averaging: N = %s, collection time %s s, an observation every %s s</translation>
    </message>
    <message>
        <source>Tablice korekcji:</source>
        <comment>1553</comment>
        <translation>Correction tables:</translation>
    </message>
    <message>
        <source>brak</source>
        <comment>1554</comment>
        <translation>none</translation>
    </message>
    <message>
        <source>%s: %s, wierszy: %s, zmieniona %s</source>
        <comment>1555</comment>
        <translation>%s: %s, rows: %s, modified %s</translation>
    </message>
    <message>
        <source>Porty: %s</source>
        <comment>1556</comment>
        <translation>Ports: %s</translation>
    </message>
    <message>
        <source>Plik danych: %s</source>
        <comment>1557</comment>
        <translation>Data file: %s</translation>
    </message>
    <message>
        <source>Ostatnia seria: %s</source>
        <comment>1558</comment>
        <translation>Last run&apos;s series: %s</translation>
    </message>
    <message>
        <source>QX-311, kanał %s</source>
        <comment>1559</comment>
        <translation>QX-311, channel %s</translation>
    </message>
    <message>
        <source>Tablica %s (%s): suma kontrolna zgodna</source>
        <comment>1560</comment>
        <translation>Table %s (%s): checksum matches</translation>
    </message>
    <message>
        <source>Tablica %s (%s): zmieniona od rozpoczęcia zapisu, suma kontrolna inna</source>
        <comment>1561</comment>
        <translation>Table %s (%s): changed since recording began, checksum differs</translation>
    </message>
    <message>
        <source>Tablica %s (%s): brak pliku</source>
        <comment>1562</comment>
        <translation>Table %s (%s): file missing</translation>
    </message>
    <message>
        <source>Tablica %s (%s): pliku brakowało już przy rozpoczęciu zapisu</source>
        <comment>1563</comment>
        <translation>Table %s (%s): file was already missing when recording began</translation>
    </message>
    <message>
        <source>Rekordów: %s</source>
        <comment>1564</comment>
        <translation>Records: %s</translation>
    </message>
    <message>
        <source>Przerwa między rekordem %s a %s: %s s przy odstępie %s s</source>
        <comment>1565</comment>
        <translation>Gap between record %s and %s: %s s at an interval of %s s</translation>
    </message>
    <message>
        <source>Brak przerw dłuższych niż odstęp zapisu (%s s)</source>
        <comment>1566</comment>
        <translation>No gap longer than the recording interval (%s s)</translation>
    </message>
    <message>
        <source>Kolumny zgodne z manifestem (%s)</source>
        <comment>1567</comment>
        <translation>Columns as the manifest declares them (%s)</translation>
    </message>
    <message>
        <source>Kolumny inne niż w manifeście: %s</source>
        <comment>1568</comment>
        <translation>Columns differ from the manifest: %s</translation>
    </message>
    <message>
        <source>Brak manifestu %s</source>
        <comment>1569</comment>
        <translation>No manifest %s</translation>
    </message>
    <message>
        <source>Manifest %s nieczytelny: %s</source>
        <comment>1570</comment>
        <translation>Manifest %s cannot be read: %s</translation>
    </message>
    <message>
        <source>Zgodny z manifestem: %s</source>
        <comment>1571</comment>
        <translation>Matches its manifest: %s</translation>
    </message>
    <message>
        <source>Niezgodny z manifestem: %s</source>
        <comment>1572</comment>
        <translation>Does not match its manifest: %s</translation>
    </message>
    <message>
        <source>Plik nie zawiera żadnego rekordu</source>
        <comment>1573</comment>
        <translation>The file holds no record</translation>
    </message>
    <message>
        <source>Monte Carlo (GUM, Suplement 1): ziarno %s, prawdopodobieństwo rozszerzenia %s %</source>
        <comment>1580</comment>
        <translation>Monte Carlo (GUM Supplement 1): seed %s, coverage probability %s %</translation>
    </message>
    <message>
        <source>Wyniki stabilne na %s cyfrach znaczących po %s losowaniach</source>
        <comment>1581</comment>
        <translation>Results stable to %s significant digits after %s draws</translation>
    </message>
    <message>
        <source>Nie wszystkie wyniki ustaliły się na %s cyfrach znaczących w %s losowaniach (górna granica)</source>
        <comment>1582</comment>
        <translation>Not every result stable to %s significant digits within %s draws (the upper limit)</translation>
    </message>
    <message>
        <source>Losowań: %s</source>
        <comment>1583</comment>
        <translation>Draws: %s</translation>
    </message>
    <message>
        <source>Odrzucone losowania: %s z %s (%s %); pierwsze: %s</source>
        <comment>1584</comment>
        <translation>Refused draws: %s of %s (%s %); the first: %s</translation>
    </message>
    <message>
        <source>Wszystkie losowania odrzucone: %s</source>
        <comment>1585</comment>
        <translation>Every draw refused: %s</translation>
    </message>
    <message>
        <source>Obliczenie przerwane</source>
        <comment>1586</comment>
        <translation>Evaluation cancelled</translation>
    </message>
    <message>
        <source>Jeszcze nieustalone: %s</source>
        <comment>1587</comment>
        <translation>Not yet stable: %s</translation>
    </message>
    <message>
        <source>Brak cyfr tylko końcom przedziałów najkrótszych (zbiegają się wolniej, jak N^(−1/3)); średnie, σ i przedziały symetryczne są stabilne</source>
        <comment>1588</comment>
        <translation>Only the ends of the shortest intervals lack the digits (they settle more slowly, as N^(−1/3)); means, σ and symmetric intervals are stable</translation>
    </message>
    <message>
        <source>Przedziały rozszerzenia metodą Monte Carlo</source>
        <comment>1600</comment>
        <translation>Coverage intervals by the Monte Carlo method</translation>
    </message>
    <message>
        <source>Wartość</source>
        <comment>1601</comment>
        <translation>Value</translation>
    </message>
    <message>
        <source>Średnia</source>
        <comment>1602</comment>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Przedział najkrótszy</source>
        <comment>1603</comment>
        <translation>Shortest interval</translation>
    </message>
    <message>
        <source>Monte Carlo – %s</source>
        <comment>1620</comment>
        <translation>Monte Carlo – %s</translation>
    </message>
    <message>
        <source>Wilgotność względna</source>
        <comment>1621</comment>
        <translation>Relative humidity</translation>
    </message>
    <message>
        <source>Zawartość wilgoci</source>
        <comment>1622</comment>
        <translation>Moisture content</translation>
    </message>
    <message>
        <source>Psychrometr</source>
        <comment>1623</comment>
        <translation>Psychrometer</translation>
    </message>
    <message>
        <source>&amp;Ziarno:</source>
        <comment>1624</comment>
        <translation>S&amp;eed:</translation>
    </message>
    <message>
        <source>&amp;Adaptacyjnie, najwyżej %s losowań</source>
        <comment>1625</comment>
        <translation>&amp;Adaptive, at most %s draws</translation>
    </message>
    <message>
        <source>Stała &amp;liczba losowań:</source>
        <comment>1626</comment>
        <translation>&amp;Fixed number of draws:</translation>
    </message>
    <message>
        <source>P&amp;rawdopodobieństwo rozszerzenia:</source>
        <comment>1627</comment>
        <translation>&amp;Coverage probability:</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <comment>1628</comment>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>&amp;Przerwij</source>
        <comment>1629</comment>
        <translation>Ca&amp;ncel</translation>
    </message>
    <message>
        <source>Za&amp;mknij</source>
        <comment>1630</comment>
        <translation>C&amp;lose</translation>
    </message>
    <message>
        <source>Wielkość</source>
        <comment>1631</comment>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Wartość</source>
        <comment>1632</comment>
        <translation>Value</translation>
    </message>
    <message>
        <source>u</source>
        <comment>1633</comment>
        <translation>u</translation>
    </message>
    <message>
        <source>Średnia MC</source>
        <comment>1634</comment>
        <translation>MC mean</translation>
    </message>
    <message>
        <source>σ MC</source>
        <comment>1635</comment>
        <translation>σ MC</translation>
    </message>
    <message>
        <source>Przedział najkrótszy %s</source>
        <comment>1636</comment>
        <translation>Shortest %s interval</translation>
    </message>
    <message>
        <source>Przedział symetryczny %s</source>
        <comment>1637</comment>
        <translation>Symmetric %s interval</translation>
    </message>
    <message>
        <source>u / σ MC</source>
        <comment>1638</comment>
        <translation>u / σ MC</translation>
    </message>
    <message>
        <source>Jednostka</source>
        <comment>1639</comment>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Losowanie: %s z najwyżej %s (koniec wcześniej, gdy wyniki będą stabilne)</source>
        <comment>1640</comment>
        <translation>Drawing: %s of at most %s (ends earlier once the results are stable)</translation>
    </message>
    <message>
        <source>Losowanie: %s z %s</source>
        <comment>1641</comment>
        <translation>Drawing: %s of %s</translation>
    </message>
    <message>
        <source>Ocena metodą Monte Carlo nie powiodła się: %s</source>
        <comment>1642</comment>
        <translation>The Monte Carlo evaluation failed: %s</translation>
    </message>
    <message>
        <source>przedział najkrótszy %s</source>
        <comment>1643</comment>
        <translation>shortest %s interval</translation>
    </message>
    <message>
        <source>wartość ± 2u</source>
        <comment>1644</comment>
        <translation>value ± 2u</translation>
    </message>
    <message>
        <source>poza wykresem: %s z lewej, %s z prawej</source>
        <comment>1645</comment>
        <translation>beyond the chart: %s on the left, %s on the right</translation>
    </message>
    <message>
        <source>Losowanie</source>
        <comment>1646</comment>
        <translation>Draws</translation>
    </message>
    <message>
        <source>Histogram: %s</source>
        <comment>1647</comment>
        <translation>Histogram: %s</translation>
    </message>
    <message>
        <source>Przedziały rozszerzenia metodą Monte Carlo dla obliczonego stanu, w osobnym oknie</source>
        <comment>1648</comment>
        <translation>Coverage intervals by the Monte Carlo method for the state computed, in a window of its own</translation>
    </message>
    <message>
        <source>Niepewność standardowa z propagacji, jak na stronie</source>
        <comment>1649</comment>
        <translation>Standard uncertainty by propagation, as on the page</translation>
    </message>
    <message>
        <source>Średnia wartości z przyjętych losowań</source>
        <comment>1650</comment>
        <translation>Mean of the values of the draws accepted</translation>
    </message>
    <message>
        <source>Odchylenie standardowe wartości z przyjętych losowań</source>
        <comment>1651</comment>
        <translation>Standard deviation of the values of the draws accepted</translation>
    </message>
    <message>
        <source>Najkrótszy przedział, w którym leży podana część wartości z losowań</source>
        <comment>1652</comment>
        <translation>The shortest interval that holds the given share of the values drawn</translation>
    </message>
    <message>
        <source>Przedział, poza którym po każdej stronie leży jednakowa część wartości z losowań</source>
        <comment>1653</comment>
        <translation>The interval with an equal share of the values drawn beyond each end</translation>
    </message>
    <message>
        <source>Niepewność z propagacji podzielona przez odchylenie standardowe z losowań; bliska 1, gdy propagacja liniowa wystarcza</source>
        <comment>1654</comment>
        <translation>Propagated uncertainty divided by the standard deviation of the draws; near 1 where linear propagation suffices</translation>
    </message>
    <message>
        <source>Wybierz wiersz, aby zobaczyć histogram jego wartości</source>
        <comment>1655</comment>
        <translation>Choose a row to see the histogram of its values</translation>
    </message>
    <message>
        <source>Ziarno generatora liczb losowych: to samo ziarno i te same dane dają zawsze te same liczby</source>
        <comment>1656</comment>
        <translation>Seed of the random number generator: the same seed and data always give the same numbers</translation>
    </message>
    <message>
        <source>Kolumna</source>
        <comment>1657</comment>
        <translation>Column</translation>
    </message>
    <message>
        <source>Wiersz %s zmieniony: nie jest rekordem %s zapisanym przez stanowisko</source>
        <comment>1760</comment>
        <translation>Line %s changed: it is not record %s as the station wrote it</translation>
    </message>
    <message>
        <source>Brak rekordu %s (zapisanego %s) przed wierszem %s</source>
        <comment>1761</comment>
        <translation>Record %s (written %s) missing before line %s</translation>
    </message>
    <message>
        <source>Wiersz %s dopisany: żaden rekord łańcucha go nie potwierdza</source>
        <comment>1762</comment>
        <translation>Line %s added: no record of the chain confirms it</translation>
    </message>
    <message>
        <source>Wiersz %s przeniesiony: to rekord %s z innego miejsca</source>
        <comment>1763</comment>
        <translation>Line %s moved: it is record %s from another place</translation>
    </message>
    <message>
        <source>Wiersz %s powtórzony: rekord %s już jest w pliku</source>
        <comment>1764</comment>
        <translation>Line %s duplicated: record %s is in the file already</translation>
    </message>
    <message>
        <source>Plik obcięty: brak ostatnich rekordów (%s) od rekordu %s zapisanego %s</source>
        <comment>1765</comment>
        <translation>File cut short: its last records (%s) missing from record %s, written %s</translation>
    </message>
    <message>
        <source>Niepotwierdzone ostatnie wiersze od wiersza %s (%s): stanowisko zatrzymało się w trakcie zapisu</source>
        <comment>1766</comment>
        <translation>Last lines from line %s (%s) unconfirmed: the station stopped while writing them</translation>
    </message>
    <message>
        <source>Wiersze zastane przy wznowieniu zapisu, niepotwierdzone w chwili zapisu: %s</source>
        <comment>1767</comment>
        <translation>Lines found when recording went on, not confirmed when written: %s</translation>
    </message>
    <message>
        <source>Przerwa wyjaśniona przed rekordem %s: %s s od %s do %s (%s)</source>
        <comment>1768</comment>
        <translation>Gap explained before record %s: %s s from %s to %s (%s)</translation>
    </message>
    <message>
        <source>Przerwa bez wyjaśnienia przed rekordem %s: %s s od %s do %s</source>
        <comment>1769</comment>
        <translation>Gap nobody explained before record %s: %s s from %s to %s</translation>
    </message>
    <message>
        <source>Łańcuch %s zmieniony od swojego wiersza %s</source>
        <comment>1770</comment>
        <translation>Chain %s altered from its line %s</translation>
    </message>
    <message>
        <source>Brak podsumowania serii</source>
        <comment>1771</comment>
        <translation>The run's summary is missing</translation>
    </message>
    <message>
        <source>Łańcuch niezamknięty: stanowisko zatrzymało się albo nadal zapisuje</source>
        <comment>1772</comment>
        <translation>Chain not closed: the station stopped or is still recording</translation>
    </message>
    <message>
        <source>Łańcuch: rekordów potwierdzonych %s, na swoich miejscach %s, zdarzeń %s</source>
        <comment>1773</comment>
        <translation>Chain: records confirmed %s, in their places %s, events %s</translation>
    </message>
    <message>
        <source>Bez łańcucha (%s): rekordy sprawdzone bez potwierdzenia każdego z nich</source>
        <comment>1774</comment>
        <translation>No chain (%s): records checked without confirming each of them</translation>
    </message>
    <message>
        <source>Manifest %s za duży (ponad %s bajtów)</source>
        <comment>1775</comment>
        <translation>Manifest %s too large (over %s bytes)</translation>
    </message>
    <message>
        <source>Manifest opisuje inny plik: %s</source>
        <comment>1776</comment>
        <translation>The manifest describes another file: %s</translation>
    </message>
    <message>
        <source>Plik zaczęty na komputerze %s (tutaj: %s)</source>
        <comment>1777</comment>
        <translation>File started on computer %s (here: %s)</translation>
    </message>
    <message>
        <source>Manifest podaje jednostkę %s, nagłówek pliku %s</source>
        <comment>1778</comment>
        <translation>The manifest gives unit %s, the file's header %s</translation>
    </message>
    <message>
        <source>Jednostki %s z manifestu nie ma w nagłówku pliku</source>
        <comment>1779</comment>
        <translation>Unit %s of the manifest is not in the file's header</translation>
    </message>
    <message>
        <source>%s; rekordy potwierdzone łańcuchem: %s; tablice: %s; kolumny i jednostki</source>
        <comment>1781</comment>
        <translation>%s; records confirmed by the chain: %s; tables: %s; columns and units</translation>
    </message>
    <message>
        <source>%s; bez łańcucha; rekordy: %s; tablice: %s; kolumny i jednostki</source>
        <comment>1782</comment>
        <translation>%s; no chain; records: %s; tables: %s; columns and units</translation>
    </message>
    <message>
        <source>Nie można prowadzić łańcucha rekordów:
%s
Rekordy są zapisywane bez potwierdzenia.</source>
        <comment>1783</comment>
        <translation>The chain of records cannot be kept:
%s
Records are written unconfirmed.</translation>
    </message>
    <message>
        <source>Nie udało się zapisać manifestu
%s
Zapis zostanie ponowiony z następnym rekordem.</source>
        <comment>1784</comment>
        <translation>The manifest could not be written
%s
It is tried again with the next record.</translation>
    </message>
    <message>
        <source>Zapis wstrzymany, %s; pominięte rekordy: %d</source>
        <comment>1785</comment>
        <translation>Recording paused, %s; records skipped: %d</translation>
    </message>
    <message>
        <source>seria czeka na start</source>
        <comment>1786</comment>
        <translation>a calibration run waits for its start</translation>
    </message>
    <message>
        <source>brak wyników</source>
        <comment>1787</comment>
        <translation>no results</translation>
    </message>
    <message>
        <source>Zdarzenie manifestu z %s wskazuje stan łańcucha, którego w nim nie ma</source>
        <comment>1788</comment>
        <translation>The manifest's event of %s names a chain state the chain does not hold</translation>
    </message>
</context>
</TS>
